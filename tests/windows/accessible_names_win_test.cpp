// Reads the running vemora.exe as a Windows screen reader does, through
// oleacc, and compares its main and About windows with the table the other
// platforms' accessibility tests read.
// Usage: accessible_names_win_test TABLE (both windows shown, on a display)
#include <gtest/gtest.h>
#include <oleacc.h>
#include <windows.h>

#include <algorithm>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

namespace {

const char* tablePath = "";
using Read = std::pair<long, std::string>;  // role, name

// How Windows casts and names each kind of control: a field is named by the
// label before it; a window of the program's own class (the forms, the clip
// box) is a client area. Wine's oleacc casts only fields and client areas;
// every other class reads as a client area there.
struct Rule {
  long role;
  bool namedByLabel, wineAnswersRole;
};
const std::map<std::string, Rule> kRules = {
    {"frame", {ROLE_SYSTEM_CLIENT, false, true}},
    {"dialog", {ROLE_SYSTEM_CLIENT, false, true}},
    {"animation", {ROLE_SYSTEM_CLIENT, false, true}},
    {"text", {ROLE_SYSTEM_TEXT, true, true}},
    {"combo box", {ROLE_SYSTEM_COMBOBOX, true, false}},
    {"push button", {ROLE_SYSTEM_PUSHBUTTON, false, false}},
    {"check box", {ROLE_SYSTEM_CHECKBUTTON, false, false}},
    {"radio button", {ROLE_SYSTEM_RADIOBUTTON, false, false}},
    {"panel", {ROLE_SYSTEM_GROUPING, false, false}},
    {"label", {ROLE_SYSTEM_STATICTEXT, false, false}},
    {"image", {ROLE_SYSTEM_STATICTEXT, false, false}},
};

// What the table's rows of `window` say Windows (or Wine) reads, sorted.
std::vector<Read> TableRows(const std::string& window, bool wine) {
  std::ifstream file(tablePath, std::ios::binary);
  std::vector<Read> rows;
  for (std::string line; std::getline(file, line);) {
    std::vector<std::string> cell;  // window, role, name, label, value
    std::istringstream fields(line);
    for (std::string text; std::getline(fields, text, '\t');) cell.push_back(text);
    cell.resize(5);
    if (cell[0] != window) continue;
    const Rule& rule = kRules.at(cell[1]);
    Read row{!wine || rule.wineAnswersRole ? rule.role : ROLE_SYSTEM_CLIENT,
             rule.namedByLabel ? cell[3] : cell[2]};
    // Wine's oleacc names a list by its current item.
    if (wine && cell[1] == "combo box") row.second = cell[4];
    rows.push_back(row);
  }
  std::sort(rows.begin(), rows.end());
  return rows;
}

Read ReadWindow(HWND window) {
  Read read{-1, ""};
  IAccessible* object = nullptr;
  if (FAILED(AccessibleObjectFromWindow(window, OBJID_CLIENT, __uuidof(IAccessible),
                                        reinterpret_cast<void**>(&object))))
    return read;
  VARIANT self{}, role{};
  self.vt = VT_I4;
  self.lVal = CHILDID_SELF;
  BSTR name = nullptr;
  if (object->get_accName(self, &name) == S_OK && name) {
    char text[1024] = {};
    WideCharToMultiByte(CP_UTF8, 0, name, -1, text, sizeof(text) - 1, nullptr, nullptr);
    read.second = text;
    SysFreeString(name);
  }
  if (object->get_accRole(self, &role) == S_OK && role.vt == VT_I4) read.first = role.lVal;
  object->Release();
  return read;
}

// The window and every window inside it, depth first.
void ReadTree(HWND window, std::vector<Read>& out) {
  out.push_back(ReadWindow(window));
  for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
    ReadTree(child, out);
}

// The shown top-level window whose title starts with `title`.
HWND ShownWindow(const std::wstring& title) {
  std::pair<std::wstring, HWND> search{title, nullptr};
  EnumWindows(
      [](HWND window, LPARAM param) -> BOOL {
        auto& [start, found] = *reinterpret_cast<std::pair<std::wstring, HWND>*>(param);
        wchar_t text[256] = {};
        GetWindowTextW(window, text, 256);
        if (IsWindowVisible(window) && std::wstring(text).rfind(start, 0) == 0) found = window;
        return found == nullptr;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.second;
}

TEST(AccessibleNames, MainAndAboutWindowsReadAsTheTableSays) {
  CoInitialize(nullptr);
  const bool wine = GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version") != nullptr;
  const std::pair<const char*, const wchar_t*> windows[] = {{"main", L"Vemora - Version 2.3"},
                                                            {"about", L"Info Vemora"}};
  for (const auto& [kind, title] : windows) {
    const HWND window = ShownWindow(title);
    ASSERT_NE(window, nullptr) << "no " << kind << " window";
    std::vector<Read> tree;
    ReadTree(window, tree);
    std::sort(tree.begin(), tree.end());
    EXPECT_EQ(tree, TableRows(kind, wine)) << kind;
  }
  CoUninitialize();
}

}  // namespace

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  if (argc != 2) return 2;
  tablePath = argv[1];
  return RUN_ALL_TESTS();
}
