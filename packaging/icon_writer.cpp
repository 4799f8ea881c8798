// quill-icon-writer MODULE FOLDER SIZE...: draws the module's own icon as the
// desktop's icons: FOLDER/quillmaker.svg and FOLDER/SIZE/quillmaker.png for each SIZE.
// The icon is pixel art, so every pixel becomes a square: a crisp SVG, and PNG
// sizes scaled by whole numbers without smoothing.
#include <QImage>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "platform/resources.h"
#include "platform/win.h"
#include "qst/string_ids.h"

namespace {

std::string Colour(std::uint32_t argb) {
  char text[8];
  std::snprintf(text, sizeof text, "#%06x", static_cast<unsigned>(argb & 0xFFFFFFu));
  return text;
}

// One rectangle a run of equal pixels in a row; transparent pixels are left out.
bool WriteSvg(const ResourceIcon& icon, const std::filesystem::path& file) {
  std::ofstream out(file);
  out << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
      << "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" << icon.width << "\" height=\"" << icon.height
      << "\" viewBox=\"0 0 " << icon.width << ' ' << icon.height << "\" shape-rendering=\"crispEdges\">\n";
  for (int y = 0; y < icon.height; ++y) {
    for (int x = 0; x < icon.width;) {
      const std::uint32_t pixel = icon.pixels[y * icon.width + x];
      int end = x + 1;
      while (end < icon.width && icon.pixels[y * icon.width + end] == pixel) ++end;
      const unsigned alpha = pixel >> 24;
      if (alpha != 0) {
        out << "  <rect x=\"" << x << "\" y=\"" << y << "\" width=\"" << end - x << "\" height=\"1\" fill=\""
            << Colour(pixel) << '"';
        if (alpha != 0xFF) out << " fill-opacity=\"" << alpha / 255.0 << '"';
        out << "/>\n";
      }
      x = end;
    }
  }
  out << "</svg>\n";
  return static_cast<bool>(out.flush());
}

bool WritePng(const ResourceIcon& icon, int size, const std::filesystem::path& file) {
  const QImage image(reinterpret_cast<const uchar*>(icon.pixels), icon.width, icon.height, QImage::Format_ARGB32);
  std::filesystem::create_directories(file.parent_path());
  return image.scaled(size, size, Qt::IgnoreAspectRatio, Qt::FastTransformation).save(QString::fromStdString(file));
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 4) {
    std::fprintf(stderr, "usage: quill-icon-writer MODULE FOLDER SIZE...\n");
    return 2;
  }
  HMODULE module = LoadLibraryA(argv[1]);
  const ResourceIcon* icon = module ? PlatformIconPixels(LoadIconA(module, MAKEINTRESOURCEA(kEditorIcon))) : nullptr;
  if (!icon || !icon->pixels) {
    std::fprintf(stderr, "quill-icon-writer: %s has no editor icon\n", argv[1]);
    return 1;
  }
  const std::filesystem::path folder = argv[2];
  std::filesystem::create_directories(folder);
  bool written = WriteSvg(*icon, folder / "quillmaker.svg");
  for (int i = 3; i < argc; ++i) {
    const int size = std::atoi(argv[i]);
    if (size <= 0 || size % icon->width != 0) {
      std::fprintf(stderr, "quill-icon-writer: %s is no whole multiple of %d pixels\n", argv[i], icon->width);
      return 2;
    }
    written = WritePng(*icon, size, folder / argv[i] / "quillmaker.png") && written;
  }
  FreeLibrary(module);
  if (!written) std::fprintf(stderr, "quill-icon-writer: could not write into %s\n", argv[2]);
  return written ? 0 : 1;
}
