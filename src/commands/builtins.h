// The command groups whose work the dispatcher carries out itself; each registers its handlers.
#pragma once

namespace vantrelo {

class TCommandDispatcher;

// "$SHOWIP$", "$PASSWORD$", "$TIME$", "$FLIPCOIN$", "$RANDOM$", "$ROLL$".
void RegisterAnswerCommands(TCommandDispatcher& d);
// Trash, search, screen saver, lock, eject, media keys, volume, backup, data folder.
void RegisterSystemCommands(TCommandDispatcher& d);
// The settings switches, gaming modes, incognito, "$SETDEF...$" and "$SETPOS$".
void RegisterSwitchCommands(TCommandDispatcher& d);
// "$M$", "$R$", "$GW$", "$SOUND$", "$EXIT$", the start page and the blocks left to the launcher.
void RegisterControlCommands(TCommandDispatcher& d);
// The window commands ("$W...$") and the mouse commands.
void RegisterWindowCommands(TCommandDispatcher& d);
// "$TIMER$", "$ALARM$", "$STOPWATCH$" and "$REMINDER$".
void RegisterTimeCommands(TCommandDispatcher& d);
// "$SENDTEXT$"s, "$KEYS$", "$PASTE1$".."$PASTE4$", "$TEXTCLEAN$"s and "$TEXTREGEX$"s.
void RegisterTextCommands(TCommandDispatcher& d);

} // namespace vantrelo
