#pragma once

// A field refused what the user entered: the user is told why with the framework's
// standard box, the focus goes back to the control and the dialog stays open.

#include <string_view>

class CDataExchange;

namespace toolkit {

void refuse_entry(CDataExchange& dx, std::string_view message);

}  // namespace toolkit
