#pragma once

class QApplication;

namespace corvane::test {

// The QApplication of a widget test program; the program's main() makes it.
QApplication& QtTestApplication();

}  // namespace corvane::test
