#pragma once

class QTranslator;

// Qt's own dialogs and buttons (the file and print dialogs, standard buttons,
// the text boxes' menu) in Finnish like the rest of the program, whatever
// language the desktop speaks, and numbers in the windows in Finnish form
// ("1 458", "0,10") whatever the machine's locale: files and rivikone-batch
// keep their fixed forms. Returns the installed translator (owned by the
// application), or null when the system has no Finnish Qt texts.
QTranslator* installFinnishQtTexts();
