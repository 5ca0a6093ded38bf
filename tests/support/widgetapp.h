// The one QApplication of a widget test process, ended after the last test while Qt is still whole.
#pragma once

class QApplication;

namespace vantrelo::test {

// Creates the application on first use; a gtest environment deletes it at the end of the run.
QApplication& WidgetApp();

} // namespace vantrelo::test
