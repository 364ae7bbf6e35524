// The window contract on the Qt window system.
#include "tests/frame/qt/qt_window_driver.h"
#include "tests/frame/window/window_contract_suite.h"

namespace window_contract {

INSTANTIATE_TYPED_TEST_SUITE_P(Qt, WindowContract, QtWindowDriver);
INSTANTIATE_TYPED_TEST_SUITE_P(Qt, ShortBoxContract, QtWindowDriver);

}  // namespace window_contract
