#include "editor/resources/module_resources.h"

#include <array>
#include <cstdint>
#include <iterator>

#include "editor/shell/entry_points.h"

namespace {

constexpr ResourceString kStrings[] = {
    // The host language's type names and abbreviations first: every row read
    // looks the vocabulary up, and the loader searches the table in order.
    {4340, "dec"},
    {4341, "int"},
    {4342, "char"},
    {4300, "boolean"},
    {4301, "character"},
    {4302, "checkbox"},
    {4303, "commandbutton"},
    {4304, "gridsheet"},
    {4305, "date"},
    {4306, "datetime"},
    {4307, "decimal"},
    {4308, "double"},
    {4309, "dropdownlistbox"},
    {4310, "gridsheetchild"},
    {4311, "editmask"},
    {4312, "graph"},
    {4313, "groupbox"},
    {4314, "hscrollbar"},
    {4315, "integer"},
    {4316, "line"},
    {4317, "listbox"},
    {4318, "long"},
    {4319, "menu"},
    {4320, "multilineedit"},
    {4321, "oval"},
    {4322, "picture"},
    {4323, "picturebutton"},
    {4324, "radiobutton"},
    {4325, "real"},
    {4326, "rectangle"},
    {4327, "roundrectangle"},
    {4328, "singlelineedit"},
    {4329, "statictext"},
    {4330, "string"},
    {4331, "time"},
    {4332, "transaction"},
    {4333, "unsignedinteger"},
    {4334, "unsignedlong"},
    {4335, "userobject"},
    {4336, "vscrollbar"},
    {4337, "window"},
    {4338, "Print"},
    {4339, "The structure must be saved prior to printing.\nDo you want to save it now?"},
    // Command descriptions under the command id, short labels under id + 1.
    {1258, "Undo last edit"},
    {1259, "Undo"},
    {1260, "Cut selection to clipboard"},
    {1261, "Cut"},
    {1262, "Copy selection to clipboard"},
    {1263, "Copy"},
    {1264, "Paste selection from clipboard"},
    {1265, "Paste"},
    {1266, "Clear selection"},
    {1267, "Clear"},
    {1282, "Return to Window Workbench"},
    {1283, "Return"},
    {1284, "Return to Menu Workbench"},
    {1285, "Return"},
    {1286, "Return to User Object Workbench"},
    {1287, "Return"},
    {1310, "Return to Function Workbench"},
    {1311, "Return"},
    {1438, "Print Structure"},
    {1439, "Print"},
    {1450, "Create a new Structure"},
    {1451, "New"},
    {1452, "Save current Structure"},
    {1453, "Save"},
    {1546, "Insert row above cursor"},
    {1547, "Insert,Insert Row"},
    {1934, "Delete selected row(s)"},
    {1935, "Delete,Delete Row"},
    {2290, "Close Structure"},
    {2291, "Close"},
    {2300, "Open an existing Structure"},
    {2301, "Open"},
    // Titles, messages, source text and Edit menu labels.
    {4000, "Structure - %s"},
    {4001, " for %s"},
    {4002, "(Untitled)"},
    {4003, "Save changes to %s?"},
    {4007, "Decimal positions must be between 0 and 18."},
    {4008, "Invalid variable name."},
    {4009, "application"},
    {4010, "DefLib"},
    {4011, "Replace existing %s?"},
    {4012, "Save of structure failed."},
    {4013, "global type %s from structure\r\n"},
    {4014, "end type"},
    {4015, "type %s from structure\r\n"},
    {4016, "Duplicate variable name."},
    {4017, "\n%s(%s)"},
    {4019, "All structures requires at least one variable."},
    {4020, "Error loading structure %s."},
    {4021, "Open Structure"},
    {4022, "&Undo\tCtrl+Z"},
    {4023, "&Undo Cut\tCtrl+Z"},
    {4024, "&Undo Paste\tCtrl+Z"},
    {4025, "&Undo Clear\tCtrl+Z"},
    {4026, "&Undo Type\tCtrl+Z"},
    {4027, "&Undo Drag and Drop\tCtrl+Z"},
    {4028, "&Redo\tCtrl+Z"},
    {4029, "Can't Undo\tCtrl+Z"},
    {4030, "var_row"},
    {4031, "Variable %s has no type."},
    {4032, "The variable of type %s has no name."},
    {4034, "Saving Structure . . ."},
    {4035, "Opening Structure . . ."},
};

constexpr ResourceMenuItem kSeparator{0, nullptr, MF_SEPARATOR, nullptr, 0};

// Return goes back to the owner's workbench, so only the embedded editor's
// File pop-up has it.
constexpr UINT kReturnId = 1;

constexpr ResourceMenuItem kFileEmbedded[] = {
    {1450, "&New\tCtrl+N", 0, nullptr, 0},
    {2300, "&Open...\tCtrl+O", 0, nullptr, 0},
    {2290, "&Close\tCtrl+W", 0, nullptr, 0},
    {kReturnId, "R&eturn", 0, nullptr, 0},
    kSeparator,
    {1452, "&Save\tCtrl+S", 0, nullptr, 0},
    {1454, "Save &As ...", 0, nullptr, 0},
    kSeparator,
    {101, "&Quill Panel\tCtrl+Shift+N", 0, nullptr, 0},
    kSeparator,
    {1438, "&Print...\tCtrl+P", 0, nullptr, 0},
    {103, "Pr&inter Setup...", 0, nullptr, 0},
    kSeparator,
    {1016, "E&xit Quillmaker", 0, nullptr, 0},
};
constexpr ResourceMenuItem kEditStandAlone[] = {
    {1258, "Can't Undo\tCtrl+Z", MF_GRAYED, nullptr, 0},
    kSeparator,
    {1260, "Cu&t\tCtrl+X", 0, nullptr, 0},
    {1262, "&Copy\tCrtl+C", 0, nullptr, 0},
    {1264, "&Paste\tCtrl+V", 0, nullptr, 0},
    {1266, "Cl&ear\tDel", 0, nullptr, 0},
    kSeparator,
    {1546, "&Insert Row", 0, nullptr, 0},
    {1934, "&Delete Row", 0, nullptr, 0},
};

// The items without the one of command id (which must be there once).
template <std::size_t N>
constexpr std::array<ResourceMenuItem, N - 1> WithoutItem(const ResourceMenuItem (&items)[N], UINT id) {
  std::array<ResourceMenuItem, N - 1> kept{};
  std::size_t n = 0;
  for (const ResourceMenuItem& item : items) {
    if (item.id != id) kept[n++] = item;
  }
  return kept;
}

// The items with the label of command id replaced.
template <std::size_t N>
constexpr std::array<ResourceMenuItem, N> Relabelled(const ResourceMenuItem (&items)[N], UINT id, const char* text) {
  std::array<ResourceMenuItem, N> out{};
  for (std::size_t i = 0; i < N; ++i) {
    out[i] = items[i];
    if (out[i].id == id) out[i].text = text;
  }
  return out;
}

constexpr auto kFileStandAlone = WithoutItem(kFileEmbedded, kReturnId);
// The embedded editor's Insert Row has no access key.
constexpr auto kEditEmbedded = Relabelled(kEditStandAlone, 1546, "Insert Row");

template <std::size_t N>
constexpr int Count(const ResourceMenuItem (&)[N]) {
  return static_cast<int>(N);
}
template <std::size_t N>
constexpr int Count(const std::array<ResourceMenuItem, N>&) {
  return static_cast<int>(N);
}

constexpr ResourceMenuItem kBarStandAlone[] = {
    {0, "&File", MF_POPUP, kFileStandAlone.data(), Count(kFileStandAlone)},
    {0, "&Edit", MF_POPUP, kEditStandAlone, Count(kEditStandAlone)},
};
constexpr ResourceMenuItem kBarEmbedded[] = {
    {0, "&File", MF_POPUP, kFileEmbedded, Count(kFileEmbedded)},
    {0, "&Edit", MF_POPUP, kEditEmbedded.data(), Count(kEditEmbedded)},
};
constexpr ResourceMenu kMenus[] = {
    {kMenuStandAlone, kBarStandAlone, 2},
    {kMenuEmbedded, kBarEmbedded, 2},
};

constexpr BYTE kCtrl = FVIRTKEY | FNOINVERT | FCONTROL;
constexpr BYTE kCtrlShift = FVIRTKEY | FNOINVERT | FCONTROL | FSHIFT;
constexpr BYTE kPlain = FVIRTKEY | FNOINVERT;

constexpr ACCEL kAccelStandAlone[] = {
    {kCtrl, 'N', 1450},      {kCtrl, 'O', 2300}, {kCtrl, 'W', 2290},
    {kCtrl, 'S', 1452},      {kCtrl, 'P', 1438}, {kCtrlShift, 'N', 101},
    {kPlain, VK_DELETE, 1266}, {kCtrl, 'X', 1260}, {kCtrl, 'Z', 1258},
    {kCtrl, 'C', 1262},      {kCtrl, 'V', 1264},
};
constexpr ACCEL kAccelEmbedded[] = {
    {kCtrl, 'N', 1450},        {kCtrl, 'O', 2300},    {kCtrl, 'W', 2290},
    {kCtrlShift, 'T', 1},      {kCtrl, 'S', 1452},    {kCtrl, 'P', 1438},
    {kCtrlShift, 'N', 101},    {kPlain, VK_DELETE, 1266}, {kCtrl, 'X', 1260},
    {kCtrl, 'Z', 1258},        {kCtrl, 'C', 1262},    {kCtrl, 'V', 1264},
};
constexpr ResourceAccelerators kAccelerators[] = {
    {kAcceleratorsStandAlone, kAccelStandAlone, static_cast<int>(std::size(kAccelStandAlone))},
    {kAcceleratorsEmbedded, kAccelEmbedded, static_cast<int>(std::size(kAccelEmbedded))},
};

// A 16 x 16 icon: a white sheet with a blue header band and three ruled rows,
// the row-indicator column shaded, drawn from this pattern.
constexpr const char* kIconPattern[16] = {
    "................",
    ".##############.",
    ".#BBBBBBBBBBBB#.",
    ".#BBBBBBBBBBBB#.",
    ".##############.",
    ".#GG#wwwwwwwww#.",
    ".#GG#wwwwwwwww#.",
    ".##############.",
    ".#GG#wwwwwwwww#.",
    ".#GG#wwwwwwwww#.",
    ".##############.",
    ".#GG#wwwwwwwww#.",
    ".#GG#wwwwwwwww#.",
    ".##############.",
    "................",
    "................",
};

constexpr std::uint32_t IconColour(char c) {
  switch (c) {
    case '#': return 0xFF303840u;
    case 'B': return 0xFF2F6FD0u;
    case 'G': return 0xFFB8C0C8u;
    case 'w': return 0xFFFFFFFFu;
    default: return 0x00000000u;
  }
}

constexpr bool IconPatternIsSquare() {
  for (const char* row : kIconPattern) {
    int n = 0;
    while (row[n] != '\0') ++n;
    if (n != 16) return false;
  }
  return true;
}
static_assert(IconPatternIsSquare());

constexpr std::array<std::uint32_t, 256> MakeIconPixels() {
  std::array<std::uint32_t, 256> pixels{};
  for (int y = 0; y < 16; ++y) {
    for (int x = 0; x < 16; ++x) pixels[y * 16 + x] = IconColour(kIconPattern[y][x]);
  }
  return pixels;
}

constexpr std::array<std::uint32_t, 256> kIconPixels = MakeIconPixels();
constexpr ResourceIcon kIcons[] = {{kEditorIcon, 16, 16, kIconPixels.data()}};

constexpr ModuleResources kResources = {
    kStrings, static_cast<int>(std::size(kStrings)),
    kMenus,   static_cast<int>(std::size(kMenus)),
    kAccelerators, static_cast<int>(std::size(kAccelerators)),
    kIcons,   static_cast<int>(std::size(kIcons)),
};

}  // namespace

const ModuleResources* EditorModuleResources() { return &kResources; }

extern "C" QST_EXPORT const ModuleResources* PlatformModuleResources() { return &kResources; }
