// The first-run wizard's choices and the settings each combination of them writes.
#pragma once

#include <QString>

namespace vantrelo {

struct TSettings;

enum class TWizardRows { Large, Compact };
enum class TWizardSearch { ShortStarts, Starts, Contains, ShortContains };
enum class TWizardUsage { Balance, FindPrograms, KeywordsOnly };
enum class TWizardList { Always, WhenTyping, WhenOpened };

// As the wizard offers them.
struct TWizardChoices {
    TWizardRows rows = TWizardRows::Large;
    TWizardSearch search = TWizardSearch::ShortContains;
    TWizardUsage usage = TWizardUsage::Balance;
    TWizardList list = TWizardList::Always;
    bool betterPerformance = true;
    bool portable = false;
};

// Writes the profile of `c` into `s`; the result is the skin file to apply (the new `skinname`).
QString ApplyWizardChoices(TSettings& s, const TWizardChoices& c);

// The portable box is offered for a data folder on a removable medium.
bool WizardOffersPortable(const QString& dataFolder);

// "The current hotkey for opening Vantrelo is "…". This can be changed in settings."
QString WizardHotkeyText(const TSettings& s);

// The list appearance wizard's layouts: names and titles on two lines, on one, or names alone.
enum class TListLayout { Double, Single, Name };

// The rows for a layout and the list font's height `h` (at 96 dpi): the row height, the row mode,
// whether titles show and the suggested number of rows.
void ApplyListLayout(TSettings& s, TListLayout layout, int h);

} // namespace vantrelo
