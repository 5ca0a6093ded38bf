// The token menu of the keyword fields: the help list, the word before the caret and its items.
#include "ui/settings/tokenhelp.h"

#include "core/keywordlist.h"

#include <array>

namespace vantrelo {

namespace {

struct THelpLine {
    const char* token;
    const char* text;
};

// After the separator's line, in this order: parameter and browser tokens, clipboard and typing
// tokens, folders, line breaks, internal commands, environment variables.
constexpr std::array kHelp{
    THelpLine{"$P$", "Parameters typed after the keyword"},
    THelpLine{"$Px$", "Parameter number x (1 to 10) of those typed"},
    THelpLine{"$U$", "Parameters typed, encoded for a web address"},
    THelpLine{"$Ux$", "Parameter number x, encoded for a web address"},
    THelpLine{"$B$", "Open the command's address in the internal browser"},
    THelpLine{"$BN$", "Open in the internal browser without moving the focus"},
    THelpLine{"$BCONNECT$", "Let the page in the internal browser talk to the launcher"},
    THelpLine{"$M$", "Minimize all windows before the command"},
    THelpLine{"$R$", "Restore the windows minimized by $M$"},
    THelpLine{"$DEF$..$DEF$", "Text used only when no parameters are typed"},
    THelpLine{"$C$", "The clipboard's text"},
    THelpLine{"$CU$", "The clipboard's text, encoded for a web address"},
    THelpLine{"$CLR$", "Clear the input line"},
    THelpLine{"$PS$", "Parameters, or the selected text of the active window"},
    THelpLine{"$PSx$", "Parameter number x, or the selected text"},
    THelpLine{"$PSE$", "Parameters or the selection, encoded for a web address"},
    THelpLine{"$PSEx$", "Parameter number x or the selection, encoded"},
    THelpLine{"$PP$", "Parameters, or the clipboard's text"},
    THelpLine{"$PPx$", "Parameter number x, or the clipboard's text"},
    THelpLine{"$PPE$", "Parameters or the clipboard, encoded for a web address"},
    THelpLine{"$PPEx$", "Parameter number x or the clipboard, encoded"},
    THelpLine{"$W$", "Wait until the started program ends"},
    THelpLine{"$Wx$", "Wait x milliseconds"},
    THelpLine{"$GW$", "Give the focus back to the window used before"},
    THelpLine{"$ASYNC$", "Do not wait for the command to start"},
    THelpLine{"$NOHIDE$", "Keep the input window open after the command"},
    THelpLine{"$SKIP$", "Skip the rest of the commands when no parameters are typed"},
    THelpLine{"$CE$", "The selected text of the active window, encoded"},
    THelpLine{"$CX$", "Cut the selection of the active window and use it"},
    THelpLine{"$CI$", "The selection of the active window, or the input line"},
    THelpLine{"$CC$", "Copy the active window's selection and use it"},
    THelpLine{"$CCU$", "Copy the active window's selection, encoded for a web address"},
    THelpLine{"$TEXTCLEAN$", "Make the clipboard plain text"},
    THelpLine{"$TEXTCLEANPASTE$", "Make the clipboard plain text and paste it"},
    THelpLine{"$TEXTREGEX$", "Apply the regular-expression rules to the clipboard"},
    THelpLine{"$TEXTREGEXPASTE$", "Apply the rules to the clipboard and paste it"},
    THelpLine{"$PASTE2$", "Paste the parameters into the active window, keeping the clipboard"},
    THelpLine{"$PASTEx$", "Paste in one of the other ways (x = 1 to 4)"},
    THelpLine{"$COPY$", "Press the copy keys in the active window"},
    THelpLine{"$CUT$", "Press the cut keys in the active window"},
    THelpLine{"$PASTE$", "Press the paste keys in the active window"},
    THelpLine{"$SENDTEXT$", "Type the parameters into the active window"},
    THelpLine{"$SENDTEXT2$", "Type the parameters slowly"},
    THelpLine{"$SENDTEXT3$", "Type the parameters key by key"},
    THelpLine{"$KEYS$", "Press keys in the active window, e.g. {CTRL}c"},
    THelpLine{"$D$", "The launcher's data folder"},
    THelpLine{"$H$", "The launcher's program folder"},
    THelpLine{"{BR}", "A line break in typed text"},
    THelpLine{"$SOUND$..$SOUND$", "Play a sound file"},
    THelpLine{"$BROWSER$", "Show the internal browser"},
    THelpLine{"$BROWSERNOFOCUS$", "Show the internal browser without the focus"},
    THelpLine{"$BROWSERFLUSHALL$", "Remove every site's data from the internal browser"},
    THelpLine{"$BROWSERTOGGLE$", "Show or hide the internal browser"},
    THelpLine{"$BROWSEREND$", "Close the internal browser"},
    THelpLine{"$BROWSERCLEAR$", "Clear the internal browser's page"},
    THelpLine{"$BROWSERURL$", "Put the browser's address into the input line"},
    THelpLine{"$BROWSEREXPAND$", "Make the internal browser larger"},
    THelpLine{"$BROWSERWIN$", "Open the page in a browser window"},
    THelpLine{"$BROWSERWINEXE$", "Open the page in a browser window of its own"},
    THelpLine{"$BROWSERWINFULL$", "Open the page in a full-screen browser window"},
    THelpLine{"$BNEWWIN$", "Open in a new browser window"},
    THelpLine{"$BNEWFULL$", "Open in a new full-screen browser window"},
    THelpLine{"$BROWSERBACK$", "Go back in the internal browser"},
    THelpLine{"$BROWSERFORWARD$", "Go forward in the internal browser"},
    THelpLine{"$BROWSERREFRESH$", "Reload the internal browser's page"},
    THelpLine{"$BSETFOCUS$", "Give the internal browser the focus"},
    THelpLine{"$BCLICK$..$BCLICK$", "Click page elements after loading"},
    THelpLine{"$BNORELOAD$", "Do not reload a page already shown"},
    THelpLine{"$URLTOINPUT$", "Download an address into the input line"},
    THelpLine{"$URLTOLIST$", "Download an address into the list"},
    THelpLine{"$URLTOLISTNOFOCUS$", "Download an address into the list, focus stays"},
    THelpLine{"$GRABTOINPUT$", "Output of a program into the input line"},
    THelpLine{"$GRABTOLIST$", "Output of a program into the list"},
    THelpLine{"$GRABTOLISTNOFOCUS$", "Output of a program into the list, focus stays"},
    THelpLine{"$CLEARCLIPBOARD$", "Clear the clipboard and its history"},
    THelpLine{"$CLIPBOARDTONOTES$", "Add the clipboard to the notes"},
    THelpLine{"$ALLCLIPBOARDTONOTES$", "Add the whole clipboard history to the notes"},
    THelpLine{"$COPYTONOTES$", "Add the active window's selection to the notes"},
    THelpLine{"$SETPOS$", "Move the input window to the mouse"},
    THelpLine{"$WOPEN$", "Show the windows list"},
    THelpLine{"$WCLOSE$", "Close the active window"},
    THelpLine{"$WMAXIMIZE$", "Maximize the active window"},
    THelpLine{"$WMINIMIZE$", "Minimize the active window"},
    THelpLine{"$WRESTORE$", "Restore the active window"},
    THelpLine{"$WRESIZE$", "Resize the active window (width height)"},
    THelpLine{"$WMAXWIDTH$", "Make the active window as wide as the screen"},
    THelpLine{"$WMAXHEIGHT$", "Make the active window as high as the screen"},
    THelpLine{"$WCENTER$", "Centre the active window"},
    THelpLine{"$WADJUST$", "Fit the active window on its screen"},
    THelpLine{"$WARRANGE$", "Arrange the windows side by side"},
    THelpLine{"$WVANTRELO$", "Act on the launcher's own window"},
    THelpLine{"$WLEFT$", "Put the active window on the left half"},
    THelpLine{"$WRIGHT$", "Put the active window on the right half"},
    THelpLine{"$WTOP$", "Put the active window on the top half"},
    THelpLine{"$WBOTTOM$", "Put the active window on the bottom half"},
    THelpLine{"$WINFO$", "Show the active window's title, class and place"},
    THelpLine{"$WFINDACTIVE$..$WFINDACTIVE$", "Activate the window whose title holds the text"},
    THelpLine{"$WFINDCLOSE$..$WFINDCLOSE$", "Close the window whose title holds the text"},
    THelpLine{"$WHANDLE$", "Act on the window with this id"},
    THelpLine{"$NOTES$", "Show the notes"},
    THelpLine{"$EDIT$", "Edit a text in the list window"},
    THelpLine{"$TIME$", "Show the time"},
    THelpLine{"$PIN$", "Pin the list window"},
    THelpLine{"$SHOWIP$", "Show this computer's network addresses"},
    THelpLine{"$REFRESHINDEX$", "Scan the indexed folders again"},
    THelpLine{"$FLUSHUWP$", "Read the installed apps again"},
    THelpLine{"$BACKUP$", "Back up the data folder"},
    THelpLine{"$LOCK$", "Lock the screen"},
    THelpLine{"$LOGOFF$", "Log out"},
    THelpLine{"$STANDBY$", "Suspend the computer"},
    THelpLine{"$HIBERNATE$", "Hibernate the computer"},
    THelpLine{"$RESTART$", "Restart the computer"},
    THelpLine{"$SHUTDOWN$", "Shut the computer down"},
    THelpLine{"$MONITOR$", "Turn the monitor off"},
    THelpLine{"$QUIT$", "Quit the launcher"},
    THelpLine{"$EMPTYRECYCLEBIN$", "Empty the trash"},
    THelpLine{"$SCREENSAVER$", "Start the screen saver"},
    THelpLine{"$GETMOUSEPOS$", "Put the mouse position into the input line"},
    THelpLine{"$SETMOUSEPOS$", "Move the mouse to x y"},
    THelpLine{"$MOUSECLICK$", "Click the mouse"},
    THelpLine{"$MOUSELEFTCLICK$", "Click the left mouse button"},
    THelpLine{"$MOUSERIGHTCLICK$", "Click the right mouse button"},
    THelpLine{"$GETMOUSEPOSCOLOR$", "Put the colour under the mouse into the input line"},
    THelpLine{"$VOLUMEUP$", "Raise the volume"},
    THelpLine{"$VOLUMEDOWN$", "Lower the volume"},
    THelpLine{"$VOLUME$", "Set the volume (0 to 100)"},
    THelpLine{"$PAUSE$", "Pause the media player"},
    THelpLine{"$NEXT$", "Next track"},
    THelpLine{"$PREV$", "Previous track"},
    THelpLine{"$PLAY$", "Play or pause"},
    THelpLine{"$STOP$", "Stop the media player"},
    THelpLine{"$MEDIA$", "Start the media player"},
    THelpLine{"$MUTE$", "Mute or unmute"},
    THelpLine{"$EJECT$", "Eject the disc"},
    THelpLine{"$STOPWATCH$", "Start or show the stopwatch"},
    THelpLine{"$TIMER$", "Count down the given time"},
    THelpLine{"$ALARM$", "Ring at the given time"},
    THelpLine{"$REMINDER$", "Remind at the given time with a text"},
    THelpLine{"$DATAFOLDER$", "Open the data folder"},
    THelpLine{"$SEARCH$", "Search the indexed files"},
    THelpLine{"$PASSWORD$", "Make a random password"},
    THelpLine{"$FLIPCOIN$", "Flip a coin"},
    THelpLine{"$RANDOM$", "A random number"},
    THelpLine{"$ROLL$", "Roll dice, e.g. 2d6"},
    THelpLine{"$RECENT$", "List the recent documents"},
    THelpLine{"$GROUPS$", "List the tags"},
    THelpLine{"$TAGS$", "List the tags"},
    THelpLine{"$CLIPBOARD$", "List the clipboard history"},
    THelpLine{"$APPS$", "List the applications"},
    THelpLine{"$HISTORY$", "List the history"},
    THelpLine{"$KWHISTORY$", "List the keyword history"},
    THelpLine{"$STARTPAGE$", "Show the internal browser's start page"},
    THelpLine{"$INCOGNITO$", "Turn incognito mode on or off"},
    THelpLine{"$SETDEFBROWSER$", "Choose the browser that opens addresses"},
    THelpLine{"$SETDEFEXPLORER$", "Choose the file manager that opens folders"},
    THelpLine{"$SETOPENTEXTKEYWORD$", "Choose the keyword that opens typed text"},
    THelpLine{"$SETAUTOCENTER$", "Turn automatic centring on or off"},
    THelpLine{"$SETAUTOHIDE$", "Turn hiding on focus loss on or off"},
    THelpLine{"$SETLOCKWINDOW$", "Lock or unlock the window's position"},
    THelpLine{"$SETSTAYONTOP$", "Turn staying on top on or off"},
    THelpLine{"$HOLDTEXT$", "Keep the input line's text after a run"},
    THelpLine{"$GAMINGTWICE$", "Super key: press twice to open"},
    THelpLine{"$GAMINGTWICESM$", "Super key: press twice, once opens the menu"},
    THelpLine{"$GAMINGWINOFF$", "Super key: off"},
    // The variables a Linux session has, in the place of the Windows ones.
    THelpLine{"%HOME%", "The user's home folder"},
    THelpLine{"%USER%", "The user's name"},
    THelpLine{"%TEMP%", "The user's temporary files folder"},
    THelpLine{"%XDG_CONFIG_HOME%", "The user's settings folder"},
    THelpLine{"%XDG_DATA_HOME%", "The user's data folder"},
    THelpLine{"%XDG_CACHE_HOME%", "The user's cache folder"},
    THelpLine{"%XDG_RUNTIME_DIR%", "The session's private runtime folder"},
    THelpLine{"%XDG_CURRENT_DESKTOP%", "The desktop's name"},
    THelpLine{"%DISPLAY%", "The X display"},
    THelpLine{"%SHELL%", "The user's shell"},
    THelpLine{"%LANG%", "The language and region"},
    THelpLine{"%PATH%", "The folders searched for programs"},
    THelpLine{"%HOSTNAME%", "The computer's name"},
};

bool IsDelimiter(QChar c, QChar sep) {
    return c == u'$' || c == u'%' || c == u'@' || c == sep;
}

} // namespace

QStringList TokenHelpList(const QString& separator) {
    QStringList lines;
    lines.reserve(qsizetype(kHelp.size()) + 1);
    lines << (separator.isEmpty() ? QStringLiteral("||") : separator) + QStringLiteral(" - Command separator");
    for (const THelpLine& h : kHelp)
        lines << QLatin1String(h.token) + QStringLiteral(" - ") + QLatin1String(h.text);
    return lines;
}

TTokenHelp::TTokenHelp(const TKeywordList& words, const QString& separator)
    : words_(words), sep_(separator.isEmpty() ? QChar(u'|') : separator.front()), help_(TokenHelpList(separator)) {}

TTokenWord TTokenHelp::WordBeforeCaret(const QString& text, int caret, TTokenField field) const {
    caret = std::clamp(caret, 0, int(text.size()));
    int lineStart = caret;
    while (lineStart > 0 && text[lineStart - 1] != u'\n' && text[lineStart - 1] != u'\r')
        --lineStart;
    int start = lineStart;
    for (int i = caret - 1; i >= lineStart; --i) {
        if (IsDelimiter(text[i], sep_)) {
            start = i;
            break;
        }
    }
    // Leading blanks are not part of the word; the replacement starts at its first character.
    while (start < caret && text[start].isSpace())
        ++start;
    const QString word = text.mid(start, caret - start).trimmed();
    if (word.size() > 10 || (!word.startsWith(u'@') && !Offers(word, field)))
        return {caret, QString()};
    return {start, word};
}

QStringList TTokenHelp::Items(const QString& word, TTokenField field) const {
    QStringList out;
    AddItems(word, field, &out, nullptr);
    return out;
}

bool TTokenHelp::Offers(const QString& word, TTokenField field) const {
    if (word.isEmpty())
        return true;
    bool any = false;
    AddItems(word, field, nullptr, &any);
    return any;
}

void TTokenHelp::AddItems(const QString& word, TTokenField field, QStringList* out, bool* any) const {
    auto add = [&](const QString& item) {
        if (any)
            *any = true;
        if (out)
            out->append(item);
    };
    const bool lead = !word.isEmpty() && IsDelimiter(word.front(), sep_);
    const QString rest = lead ? word.mid(1) : word; // the word without its delimiter
    const Qt::CaseSensitivity ci = Qt::CaseInsensitive;
    if (field == TTokenField::Command && (word.startsWith(sep_) || word.startsWith(u'@'))) {
        for (const auto& p : words_) {
            const TExeWord& w = *p;
            if (w.disabled)
                continue;
            const QString name = w.DefaultKeyword();
            if (name.startsWith(rest, ci) || (rest.size() >= 3 && w.comment.contains(rest, ci)) ||
                (rest.size() >= 2 && w.group.contains(rest, ci))) {
                add(name + QStringLiteral(" - ") + w.comment.left(42));
                if (any && !out)
                    return;
            }
        }
    }
    if (word.startsWith(u'@'))
        return;
    static const QStringList accept{"$P$",  "$Px$", "$U$",    "$Ux$",   "$PS$",    "$PSE$", "$DEF$..$DEF$",
                                    "$C$",  "$CU$", "$CC$",   "$CCU$",  "$CX$",    "$CE$",  "$COPY$",
                                    "$CUT$", "$PASTE$", "$M$", "$R$", "$CLR$", "$D$", "$H$"};
    for (const QString& line : help_) {
        const QString first = line.section(u' ', 0, 0);
        if (field != TTokenField::Command && !first.startsWith(u'%') &&
            std::none_of(accept.begin(), accept.end(), [&](const QString& a) { return first.contains(a, ci); }))
            continue;
        if (word.isEmpty() || line.startsWith(word, ci) || (rest.size() >= 3 && line.contains(rest, ci))) {
            add(line);
            if (any && !out)
                return;
        }
    }
}

QString TTokenHelp::Choose(const QString& text, const TTokenWord& word, int caret, const QString& item,
                           int* newCaret) const {
    QString insert = item.section(u' ', 0, 0);
    if (word.word.startsWith(sep_) && !insert.startsWith(sep_))
        insert.prepend(sep_);
    const int start = std::clamp(word.start, 0, int(text.size()));
    const int end = std::clamp(caret, start, int(text.size()));
    if (newCaret)
        *newCaret = start + int(insert.size());
    return text.left(start) + insert + text.mid(end);
}

} // namespace vantrelo
