// The page: Main on the browser's toolkit. The browser runs the event loop;
// the program lives as long as the page, so main() returns at once and its
// objects stay.
#include "app/program.h"
#include "toolkit_web/web_toolkit.h"

int main() {
  static vemora::WebToolkit toolkit(vemora::ApplicationObject(), "/vemora.png");
  static vemora::Program program(toolkit);
  program.Start(vemora::WebToolkit::PrevInstance());
  return 0;
}
