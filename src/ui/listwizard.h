// The list appearance wizard: layout, font and number of rows of the list window, asked in turn.
#pragma once

class QWidget;

namespace vantrelo {

struct TSettings;

// Asks the four questions over `parent`; true when the settings changed (the caller applies the
// look), false when the user cancelled, with every setting as it was.
bool RunListWizard(TSettings& s, QWidget* parent);

} // namespace vantrelo
