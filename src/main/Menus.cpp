#include "main/Menus.h"

namespace qw {

Menu TrayPopUpMenu() {
    return {
        {MenuCommand::Show, "Show Quillwave!...", true},
        {MenuCommand::None, "-", true},
        {MenuCommand::Exit, "Exit Quillwave!", true},
    };
}

}  // namespace qw
