// Reads the running vemora.exe as a Windows screen reader does, through
// oleacc, and compares its main and About windows with the table the other
// platforms' accessibility tests read.
// Usage: accessible_names_win_test TABLE (vemora.exe running, on a display)
#include <gtest/gtest.h>
#include <oleacc.h>
#include <windows.h>

#include <algorithm>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace {

const char* tablePath = "";

// How Windows names and casts each kind of control: a field is named by
// the label before it; a window of the program's own class (the forms, the
// clip box) is a client area. Wine's oleacc casts only fields and client
// areas; every other class reads as a client area there.
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

// What a row says Windows reads, and which of it is compared.
struct Expected {
  std::string what;
  long role;
  std::string name;
  bool checkRole;
};

std::vector<Expected> TableRows(const std::string& window, bool wine) {
  std::ifstream file(tablePath, std::ios::binary);
  std::vector<Expected> rows;
  for (std::string line; std::getline(file, line);) {
    std::vector<std::string> cell;  // window, role, name, label, value
    std::istringstream fields(line);
    for (std::string text; std::getline(fields, text, '\t');) cell.push_back(text);
    cell.resize(5);
    if (cell[0] != window) continue;
    const auto rule = kRules.find(cell[1]);
    if (rule == kRules.end()) {
      ADD_FAILURE() << "no Windows rule for " << cell[1];
      continue;
    }
    const Rule& r = rule->second;
    Expected e{cell[1], r.role, r.namedByLabel ? cell[3] : cell[2], !wine || r.wineAnswersRole};
    // Wine's oleacc names a list by its current item, where Windows takes
    // the label before it.
    if (wine && cell[1] == "combo box") e.name = cell[4];
    rows.push_back(e);
  }
  // The rows that compare the role too take their window first.
  std::stable_sort(rows.begin(), rows.end(),
                   [](const Expected& a, const Expected& b) { return a.checkRole > b.checkRole; });
  return rows;
}

struct Read {
  long role = -1;
  std::string name;
};

Read ReadWindow(HWND window) {
  Read read;
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
    read.name = text;
    SysFreeString(name);
  }
  if (object->get_accRole(self, &role) == S_OK && role.vt == VT_I4) read.role = role.lVal;
  object->Release();
  return read;
}

// The window and every window inside it, depth first.
void ReadTree(HWND window, std::vector<Read>& out) {
  out.push_back(ReadWindow(window));
  for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
    ReadTree(child, out);
}

HWND WaitForWindow(const std::wstring& titleStart) {
  struct Search {
    std::wstring title;
    HWND found;
  } search{titleStart, nullptr};
  for (int i = 0; i < 300 && !search.found; ++i) {
    EnumWindows(
        [](HWND window, LPARAM param) -> BOOL {
          auto& s = *reinterpret_cast<Search*>(param);
          wchar_t text[256] = {};
          GetWindowTextW(window, text, 256);
          if (IsWindowVisible(window) && std::wstring(text).rfind(s.title, 0) == 0)
            s.found = window;
          return s.found == nullptr;
        },
        reinterpret_cast<LPARAM>(&search));
    if (!search.found) Sleep(100);
  }
  return search.found;
}

// Each row is read from exactly one of the window's windows, and no window
// is left over.
void Compare(const std::string& kind, HWND window) {
  std::vector<Read> tree;
  ReadTree(window, tree);
  const bool wine = GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version") != nullptr;
  std::vector<bool> used(tree.size(), false);
  for (const Expected& e : TableRows(kind, wine)) {
    std::size_t i = 0;
    while (i < tree.size() &&
           (used[i] || tree[i].name != e.name || (e.checkRole && tree[i].role != e.role)))
      ++i;
    EXPECT_LT(i, tree.size()) << kind << ": nothing reads as " << e.what << " '" << e.name << "'";
    if (i < tree.size()) used[i] = true;
  }
  for (std::size_t i = 0; i < tree.size(); ++i)
    EXPECT_TRUE(used[i]) << kind << ": unexpected role " << tree[i].role << " '" << tree[i].name
                         << "'";
}

TEST(AccessibleNames, MainAndAboutWindowsReadAsTheTableSays) {
  CoInitialize(nullptr);
  const HWND main = WaitForWindow(L"Vemora - Version 2.3");
  ASSERT_NE(main, nullptr) << "the main window did not appear";
  Compare("main", main);
  // The logo, at 3300, 4980 twips (220, 332 pixels at 96 DPI), opens the About window.
  const HWND logo = ChildWindowFromPoint(main, POINT{220, 332});
  ASSERT_NE(logo, main);
  PostMessageW(logo, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  PostMessageW(logo, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
  const HWND about = WaitForWindow(L"Info Vemora");
  ASSERT_NE(about, nullptr) << "the About window did not appear";
  Compare("about", about);
  CoUninitialize();
}

}  // namespace

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  if (argc != 2) return 2;
  tablePath = argv[1];
  return RUN_ALL_TESTS();
}
