#include "win32/kit/Styles.h"

#include <windows.h>
#include <commctrl.h>

namespace qw::win32 {

bool InitStyles() {
    INITCOMMONCONTROLSEX icc{};
    icc.dwSize = 8;  // the structure's own size
    icc.dwICC = ICC_USEREX_CLASSES | ICC_TAB_CLASSES;
    return InitCommonControlsEx(&icc) != FALSE;
}

}  // namespace qw::win32
