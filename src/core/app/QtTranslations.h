#pragma once

// Qt's own texts (standard buttons, the print and file dialogs) in Italian, like the rest of the
// program: loads Qt's Italian translations into the application. False when they are not
// installed, and Qt's texts stay English.
namespace qtTranslations {

bool install();

}  // namespace qtTranslations
