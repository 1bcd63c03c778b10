// The settings dialog Yarrin_P, shown modally for the configure argument.
#pragma once

namespace vantrel::host {

// Shows the dialog without an owner window and returns once it has closed.
void Show_Settings_Dialog();

}  // namespace vantrel::host
