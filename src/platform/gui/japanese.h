#pragma once

// Qt's own texts (the printer, file and preview dialogs, the message box buttons) in Japanese,
// and the Japanese locale for dates and the calendar, whatever the system's locale is. Call
// once, right after the application object is made.
void useJapanese();
