#include "toolkit_web/web_toolkit.h"

#include <emscripten/val.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>

#include "toolkit_web/web_form.h"

namespace vemora {
namespace {

// The decimal sign of the browser's language, as Intl writes 1.5.
std::string BrowserDecimalSeparator() {
  const val language = val::global("navigator")["language"];
  // Called, not constructed: the same object, without a constructor's glue.
  const val format = val::global("Intl")["NumberFormat"](language);
  const val parts = format.call<val>("formatToParts", 1.5);
  for (int i = 0; i < parts["length"].as<int>(); ++i)
    if (parts[i]["type"].as<std::string>() == "decimal") return parts[i]["value"].as<std::string>();
  return ".";
}

// The file's bytes as a data address, which costs the page no fetch;
// empty when it cannot be read.
std::string DataUrl(const std::string& path, const char* type) {
  std::string bytes;
  if (std::FILE* file = std::fopen(path.c_str(), "rb")) {
    char chunk[4096];
    for (std::size_t n; (n = std::fread(chunk, 1, sizeof chunk, file)) > 0;) bytes.append(chunk, n);
    std::fclose(file);
  }
  if (bytes.empty()) return {};
  static constexpr char kDigits[] =
      "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
  std::string url = std::string("data:") + type + ";base64,";
  for (std::size_t i = 0; i < bytes.size(); i += 3) {
    const std::size_t left = bytes.size() - i;
    std::uint32_t group = static_cast<unsigned char>(bytes[i]) << 16;
    if (left > 1) group |= static_cast<unsigned char>(bytes[i + 1]) << 8;
    if (left > 2) group |= static_cast<unsigned char>(bytes[i + 2]);
    for (int k = 0; k < 4; ++k)
      url += k <= static_cast<int>(std::min<std::size_t>(left, 3))
                 ? kDigits[(group >> (18 - 6 * k)) & 63]
                 : '=';
  }
  return url;
}

}  // namespace

WebToolkit::WebToolkit(AppInfo app, const std::string& iconPath)
    : BasicToolkit(std::move(app)),
      separator_(BrowserDecimalSeparator()),
      iconUrl_(DataUrl(iconPath, "image/png")),
      boxes_([this] {
        if (quitting_) EndPage();
      }) {
  if (iconUrl_.empty()) return;
  val link = MakeElement("link", Document()["head"]);
  link.set("rel", std::string("icon"));
  link.set("href", iconUrl_);
}

std::unique_ptr<Form> WebToolkit::CreateForm(const FormDesign& design) {
  return std::make_unique<WebForm>(*this, design);
}

bool WebToolkit::PrevInstance() {
  return val::module_property("vemoraPrevInstance").as<bool>();
}

int WebToolkit::NativeMsgBox(std::string_view text, int style, std::string_view title) {
  boxes_.Show(text, style, title);
  return 1;  // OK: the only button
}

// The page ends once no message box waits for the user.
void WebToolkit::NativeQuit() {
  if (quitting_) return;
  quitting_ = true;
  if (!boxes_.Open()) EndPage();
}

// A tab the user opened cannot be closed by its page in most browsers: a
// line in its place says that the program has ended. The lock goes, so
// that the page can be loaded again.
void WebToolkit::EndPage() {
  val::module_property("vemoraUnlock")();
  val::global("window").call<void>("close");
  val body = Document()["body"];
  body.set("textContent", std::string());
  val line = MakeElement("p", body, "vemora-ended");
  line.set("textContent", std::string("Vemora ist beendet. Sie können diese Seite schließen."));
}

}  // namespace vemora
