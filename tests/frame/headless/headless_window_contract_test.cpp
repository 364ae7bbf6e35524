// The window contract on the headless window system.
#include "tests/frame/headless/headless_window_driver.h"
#include "tests/frame/window/window_contract_suite.h"

namespace window_contract {

INSTANTIATE_TYPED_TEST_SUITE_P(Headless, WindowContract, HeadlessWindowDriver);
INSTANTIATE_TYPED_TEST_SUITE_P(Headless, ShortBoxContract, HeadlessWindowDriver);

}  // namespace window_contract
