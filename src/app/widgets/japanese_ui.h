#pragma once

class QApplication;
class QTranslator;

namespace kadoru {

// Makes Qt's own texts Japanese (the standard buttons of message boxes read はい,
// いいえ, キャンセル) and puts a Japanese font behind the default one, so that Kanji
// take their Japanese shapes. translator must outlive the application's use of it.
// Returns whether Qt's Japanese translation was found.
bool use_japanese_ui(QApplication& app, QTranslator& translator);

} // namespace kadoru
