// Reads the running vemora.exe as a Windows screen reader does, through
// oleacc, and compares the main and About windows with the table the other
// platforms' accessibility tests read.
// Usage: accessible_names_win_test VEMORA_EXE TABLE (in a Wine prefix with a display)
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

std::string vemoraExe, tablePath;

struct Row {
  std::string role, name, label, value;
};

// How Windows names and casts each kind of control: a field is named by
// the label before it; a window of the program's own class, the clip box
// included, is a client area.
struct Rule {
  long msaaRole;
  bool namedByLabel;
  bool wineAnswersRole;  // Wine's oleacc gives every other class the client role
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

std::string Utf8(const wchar_t* text) {
  const int size = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
  std::string out(size > 0 ? size - 1 : 0, '\0');
  WideCharToMultiByte(CP_UTF8, 0, text, -1, out.data(), size, nullptr, nullptr);
  return out;
}

std::wstring Wide(const std::string& text) {
  const int size = MultiByteToWideChar(CP_UTF8, 0, text.c_str(), -1, nullptr, 0);
  std::wstring out(size > 0 ? size - 1 : 0, L'\0');
  MultiByteToWideChar(CP_UTF8, 0, text.c_str(), -1, out.data(), size);
  return out;
}

bool UnderWine() {
  return GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version") != nullptr;
}

std::vector<Row> TableRows(const std::string& window) {
  std::ifstream file(tablePath, std::ios::binary);
  std::vector<Row> rows;
  for (std::string line; std::getline(file, line);) {
    if (line.empty() || line[0] == '#') continue;
    std::vector<std::string> cells;
    std::istringstream fields(line);
    for (std::string cell; std::getline(fields, cell, '\t');) cells.push_back(cell);
    cells.resize(5);
    if (cells[0] == window) rows.push_back({cells[1], cells[2], cells[3], cells[4]});
  }
  return rows;
}

struct Read {
  long role = -1;
  std::string name;
  HWND window = nullptr;
};

Read ReadWindow(HWND window) {
  Read read{-1, "", window};
  IAccessible* object = nullptr;
  if (FAILED(AccessibleObjectFromWindow(window, OBJID_CLIENT, __uuidof(IAccessible),
                                        reinterpret_cast<void**>(&object))))
    return read;
  VARIANT self{};
  self.vt = VT_I4;
  self.lVal = CHILDID_SELF;
  BSTR name = nullptr;
  if (object->get_accName(self, &name) == S_OK && name) {
    read.name = Utf8(name);
    SysFreeString(name);
  }
  VARIANT role{};
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
    HWND found = nullptr;
  } search{titleStart};
  for (int i = 0; i < 150 && !search.found; ++i) {
    EnumWindows(
        [](HWND window, LPARAM param) -> BOOL {
          auto& s = *reinterpret_cast<Search*>(param);
          wchar_t text[256] = {};
          GetWindowTextW(window, text, 256);
          if (!IsWindowVisible(window) || std::wstring(text).rfind(s.title, 0) != 0) return TRUE;
          s.found = window;
          return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    if (!search.found) Sleep(100);
  }
  return search.found;
}

// What Windows should read for a row, and which of it to compare.
struct Expected {
  long role;
  std::string name;
  bool checkRole, checkName;
};

Expected ExpectedFor(const Row& row, bool wine) {
  const auto rule = kRules.find(row.role);
  if (rule == kRules.end()) {
    ADD_FAILURE() << "no Windows rule for role " << row.role;
    return {-1, row.name, false, false};
  }
  Expected e{rule->second.msaaRole, rule->second.namedByLabel ? row.label : row.name,
             !wine || rule->second.wineAnswersRole, true};
  // Wine's oleacc names a list by its current item, where Windows takes
  // the label before it.
  if (wine && row.role == "combo box") e.name = row.value;
  // A picture is named by its window text, and the Win32 toolkit gives the
  // logo none: its tooltip does not reach a screen reader yet.
  if (row.role == "image") e.checkName = false;
  return e;
}

// Each table row of the window is read from exactly one of its windows,
// and no window is left over. The rows that compare most go first, so that
// a row matched by less cannot take their window.
void Compare(const std::string& kind, const std::vector<Read>& tree) {
  const bool wine = UnderWine();
  std::vector<std::pair<Row, Expected>> rows;
  for (const Row& row : TableRows(kind)) rows.emplace_back(row, ExpectedFor(row, wine));
  std::stable_sort(rows.begin(), rows.end(), [](const auto& a, const auto& b) {
    return a.second.checkRole + a.second.checkName > b.second.checkRole + b.second.checkName;
  });
  std::vector<bool> used(tree.size(), false);
  for (const auto& [row, e] : rows) {
    const auto match = [&](std::size_t i) {
      return !used[i] && (!e.checkName || tree[i].name == e.name) &&
             (!e.checkRole || tree[i].role == e.role);
    };
    std::size_t i = 0;
    while (i < tree.size() && !match(i)) ++i;
    EXPECT_LT(i, tree.size()) << kind << ": nothing reads as " << row.role << " '" << e.name << "'";
    if (i < tree.size()) used[i] = true;
  }
  for (std::size_t i = 0; i < tree.size(); ++i)
    EXPECT_TRUE(used[i]) << kind << ": unexpected role " << tree[i].role << " '" << tree[i].name
                         << "'";
}

class AccessibleNames : public ::testing::Test {
 protected:
  void SetUp() override {
    CoInitialize(nullptr);
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    std::wstring command = L"\"" + Wide(vemoraExe) + L"\"";
    ASSERT_TRUE(CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                               nullptr, &startup, &process_));
    main_ = WaitForWindow(L"Vemora - Version 2.3");
    ASSERT_NE(main_, nullptr) << "the main window did not appear";
  }
  void TearDown() override {
    TerminateProcess(process_.hProcess, 0);
    WaitForSingleObject(process_.hProcess, 5000);
    CloseHandle(process_.hProcess);
    CloseHandle(process_.hThread);
    CoUninitialize();
  }

  PROCESS_INFORMATION process_{};
  HWND main_ = nullptr;
};

TEST_F(AccessibleNames, MainAndAboutWindowsReadAsTheTableSays) {
  std::vector<Read> tree;
  ReadTree(main_, tree);
  Compare("main", tree);

  // The logo opens the About window; it lies at 3300, 4980 twips in the
  // client area (220, 332 pixels at 96 DPI).
  const HWND logo = ChildWindowFromPoint(main_, POINT{220, 332});
  ASSERT_NE(logo, main_);
  PostMessageW(logo, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  PostMessageW(logo, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
  const HWND about = WaitForWindow(L"Info Vemora");
  ASSERT_NE(about, nullptr) << "the About window did not appear";
  tree.clear();
  ReadTree(about, tree);
  Compare("about", tree);
}

}  // namespace

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  if (argc != 3) {
    std::fprintf(stderr, "usage: %s VEMORA_EXE TABLE\n", argv[0]);
    return 2;
  }
  vemoraExe = argv[1];
  tablePath = argv[2];
  return RUN_ALL_TESTS();
}
