#include <gtest/gtest.h>

#include "app/app_harness.h"
#include "support/row_name.h"

namespace vemora::testing_support {
namespace {

struct VersionRow {
  const char* name;
  std::int16_t major, minor, revision;
  const char* copyright;
  const char* version;
  const char* revisionText;
  const char* caption;
};

class VersionTextTest : public ::testing::TestWithParam<VersionRow> {};

TEST_P(VersionTextTest, PlainDecimalNumbers) {
  AppInfo app = TestApp();
  app.Major = GetParam().major;
  app.Minor = GetParam().minor;
  app.Revision = GetParam().revision;
  app.LegalCopyright = GetParam().copyright;
  RecordingToolkit toolkit(app);
  RegistryStore registry;
  VemoraModul modul(toolkit, registry);
  modul.Main(false);
  EXPECT_EQ(modul.VersionText, GetParam().version);
  EXPECT_EQ(modul.RevisionText, GetParam().revisionText);
  EXPECT_EQ(modul.vemora_Form().Window().Caption(), GetParam().caption);
}

INSTANTIATE_TEST_SUITE_P(Values, VersionTextTest,
                         ::testing::Values(VersionRow{"MinorTen", 2, 10, 12, "c", "Version 2.10",
                                                      "Revision 12", "Vemora - Version 2.10   c"},
                                           VersionRow{"EmptyCopyrightEndsInThreeBlanks", 2, 3, 3,
                                                      "", "Version 2.3", "Revision 3",
                                                      "Vemora - Version 2.3   "}),
                         RowName<VersionRow>);

}  // namespace
}  // namespace vemora::testing_support
