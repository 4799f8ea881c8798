// Device contexts and fonts: nothing is drawn here, but the text metrics of
// the selected font are what the module lays its grid out by.
#include <algorithm>

#include "platform/platform.h"
#include "window_registry.h"

using namespace platform;

// A device context for the window (null: the screen) with the system font.
HDC GetDC(HWND hwnd) {
  auto& d = registry();
  if (hwnd != nullptr && findWindow(hwnd) == nullptr) return nullptr;
  const HDC dc = d.newHandle<HDC>();
  d.dcs.emplace(dc, DeviceContext{hwnd, d.systemFont});
  return dc;
}

// 1 when the context was released, 0 when it was not one of the window's.
int ReleaseDC(HWND hwnd, HDC dc) {
  auto& dcs = registry().dcs;
  auto it = dcs.find(dc);
  if (it == dcs.end() || it->second.window != hwnd) return 0;
  dcs.erase(it);
  return 1;
}

// Selects a font into the context; returns the font selected before, or null
// when either handle is not one of ours.
HGDIOBJ SelectObject(HDC dc, HGDIOBJ object) {
  auto& d = registry();
  auto it = d.dcs.find(dc);
  if (it == d.dcs.end() || d.fonts.find(object) == d.fonts.end()) return nullptr;
  const HGDIOBJ previous = it->second.font;
  it->second.font = object;
  return previous;
}

// Metrics of the selected font, derived from its character height as a
// typical proportional screen font has them.
BOOL GetTextMetricsA(HDC dc, TEXTMETRICA* metrics) {
  auto& d = registry();
  auto it = d.dcs.find(dc);
  if (it == d.dcs.end() || metrics == nullptr) return FALSE;
  auto font = d.fonts.find(it->second.font);
  const int h = font != d.fonts.end() ? font->second : 16;
  *metrics = TEXTMETRICA{};
  metrics->tmHeight = h;
  metrics->tmAscent = (h * 4 + 2) / 5;
  metrics->tmDescent = h - metrics->tmAscent;
  metrics->tmInternalLeading = h / 8;
  metrics->tmExternalLeading = 0;
  metrics->tmAveCharWidth = std::max(1, h / 2);
  metrics->tmMaxCharWidth = std::max(1, h);
  metrics->tmWeight = 400;
  metrics->tmDigitizedAspectX = 96;
  metrics->tmDigitizedAspectY = 96;
  metrics->tmFirstChar = 0x20;
  metrics->tmLastChar = 0xFF;
  metrics->tmDefaultChar = '?';
  metrics->tmBreakChar = ' ';
  metrics->tmPitchAndFamily = 0x22;  // variable pitch, swiss family
  return TRUE;
}

// A negative height names the character height too; 0 asks for the default.
HFONT PlatformCreateFont(int charHeight) {
  auto& d = registry();
  const long long magnitude = charHeight < 0 ? -static_cast<long long>(charHeight) : charHeight;
  const int h = magnitude == 0 ? 16 : static_cast<int>(std::min<long long>(magnitude, 32767));
  const HGDIOBJ font = d.newHandle<HGDIOBJ>();
  d.fonts.emplace(font, h);
  return reinterpret_cast<HFONT>(font);
}
