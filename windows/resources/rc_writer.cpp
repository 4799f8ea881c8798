// Writes the module's resource tables as a Windows resource script and its
// icon as an .ico file, for windres. Built and run on the build machine, so
// that the DLL's resources come from the very tables the Linux module serves.
//
//   rc_writer OUT.rc OUT.ico
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "editor/resources/module_resources.h"

namespace {

// A resource-script string literal: quotes doubled, control characters and
// bytes beyond ASCII as octal escapes, which windres reads back exactly.
std::string Quoted(const char* text) {
  std::string out = "\"";
  for (const unsigned char* p = reinterpret_cast<const unsigned char*>(text); *p != 0; ++p) {
    const unsigned char c = *p;
    if (c == '"') {
      out += "\"\"";
    } else if (c == '\\') {
      out += "\\\\";
    } else if (c == '\t') {
      out += "\\t";
    } else if (c == '\n') {
      out += "\\n";
    } else if (c == '\r') {
      out += "\\r";
    } else if (c < 0x20 || c >= 0x7F) {
      char escape[8];
      std::snprintf(escape, sizeof escape, "\\%03o", c);
      out += escape;
    } else {
      out += static_cast<char>(c);
    }
  }
  return out + "\"";
}

void WriteMenuItems(std::ostream& out, const ResourceMenuItem* items, int count, const std::string& indent) {
  out << indent << "BEGIN\n";
  for (int i = 0; i < count; ++i) {
    const ResourceMenuItem& item = items[i];
    if (item.flags & MF_SEPARATOR) {
      out << indent << "  MENUITEM SEPARATOR\n";
    } else if (item.flags & MF_POPUP) {
      out << indent << "  POPUP " << Quoted(item.text) << "\n";
      WriteMenuItems(out, item.popupItems, item.popupCount, indent + "  ");
    } else {
      out << indent << "  MENUITEM " << Quoted(item.text) << ", " << item.id;
      if (item.flags & MF_GRAYED) out << ", GRAYED";
      out << "\n";
    }
  }
  out << indent << "END\n";
}

void WriteAccelerators(std::ostream& out, const ResourceAccelerators& table) {
  out << table.id << " ACCELERATORS\nBEGIN\n";
  for (int i = 0; i < table.count; ++i) {
    const ACCEL& entry = table.entries[i];
    out << "  " << entry.key << ", " << entry.cmd;
    if (entry.fVirt & FVIRTKEY) out << ", VIRTKEY";
    if (entry.fVirt & FNOINVERT) out << ", NOINVERT";
    if (entry.fVirt & FSHIFT) out << ", SHIFT";
    if (entry.fVirt & FCONTROL) out << ", CONTROL";
    if (entry.fVirt & FALT) out << ", ALT";
    out << "\n";
  }
  out << "END\n\n";
}

void Put16(std::vector<unsigned char>& bytes, std::uint32_t value) {
  bytes.push_back(static_cast<unsigned char>(value));
  bytes.push_back(static_cast<unsigned char>(value >> 8));
}

void Put32(std::vector<unsigned char>& bytes, std::uint32_t value) {
  Put16(bytes, value & 0xFFFF);
  Put16(bytes, value >> 16);
}

// One 32-bit image with its mask in an .ico file: colour rows bottom up as
// BGRA, then the one-bit mask (set where transparent), rows padded to 32 bits.
std::vector<unsigned char> IconFile(const ResourceIcon& icon) {
  const auto w = static_cast<std::uint32_t>(icon.width);
  const auto h = static_cast<std::uint32_t>(icon.height);
  const std::uint32_t maskStride = ((w + 31) / 32) * 4;
  const std::uint32_t imageSize = 40 + w * h * 4 + maskStride * h;
  std::vector<unsigned char> bytes;
  Put16(bytes, 0);  // icon directory
  Put16(bytes, 1);
  Put16(bytes, 1);
  bytes.push_back(static_cast<unsigned char>(w));  // its one entry
  bytes.push_back(static_cast<unsigned char>(h));
  bytes.push_back(0);
  bytes.push_back(0);
  Put16(bytes, 1);
  Put16(bytes, 32);
  Put32(bytes, imageSize);
  Put32(bytes, 6 + 16);
  Put32(bytes, 40);  // BITMAPINFOHEADER, height counting the mask
  Put32(bytes, w);
  Put32(bytes, h * 2);
  Put16(bytes, 1);
  Put16(bytes, 32);
  for (int i = 0; i < 6; ++i) Put32(bytes, 0);
  for (std::uint32_t y = h; y-- > 0;) {
    for (std::uint32_t x = 0; x < w; ++x) Put32(bytes, icon.pixels[y * w + x]);
  }
  for (std::uint32_t y = h; y-- > 0;) {
    std::vector<unsigned char> row(maskStride, 0);
    for (std::uint32_t x = 0; x < w; ++x) {
      if ((icon.pixels[y * w + x] >> 24) == 0) row[x / 8] |= static_cast<unsigned char>(0x80 >> (x % 8));
    }
    bytes.insert(bytes.end(), row.begin(), row.end());
  }
  return bytes;
}

std::string BaseName(const std::string& path) {
  const std::size_t slash = path.find_last_of("/\\");
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: rc_writer OUT.rc OUT.ico\n");
    return 2;
  }
  const ModuleResources& resources = *EditorModuleResources();
  if (resources.iconCount != 1) {
    std::fprintf(stderr, "rc_writer: the module has %d icons, this writer knows one\n", resources.iconCount);
    return 1;
  }
  std::ofstream rc(argv[1], std::ios::binary);
  rc << "// Generated from the module's resource tables; do not edit.\n\n";
  rc << resources.icons[0].id << " ICON " << Quoted(BaseName(argv[2]).c_str()) << "\n\n";
  for (int m = 0; m < resources.menuCount; ++m) {
    const ResourceMenu& menu = resources.menus[m];
    rc << menu.id << " MENU\n";
    WriteMenuItems(rc, menu.items, menu.count, "");
    rc << "\n";
  }
  for (int a = 0; a < resources.acceleratorCount; ++a) WriteAccelerators(rc, resources.accelerators[a]);
  rc << "STRINGTABLE\nBEGIN\n";
  for (int s = 0; s < resources.stringCount; ++s)
    rc << "  " << resources.strings[s].id << ", " << Quoted(resources.strings[s].text) << "\n";
  rc << "END\n";
  std::vector<unsigned char> ico = IconFile(resources.icons[0]);
  std::ofstream icoFile(argv[2], std::ios::binary);
  icoFile.write(reinterpret_cast<const char*>(ico.data()), static_cast<std::streamsize>(ico.size()));
  if (!rc || !icoFile) {
    std::fprintf(stderr, "rc_writer: cannot write %s or %s\n", argv[1], argv[2]);
    return 1;
  }
  return 0;
}
