#include "app/widgets/japanese_ui.h"

#include <QApplication>
#include <QFont>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace kadoru {

bool use_japanese_ui(QApplication& app, QTranslator& translator) {
    const QLocale japanese(QLocale::Japanese, QLocale::Japan);
    QLocale::setDefault(japanese);
    const bool loaded = translator.load(japanese, QStringLiteral("qtbase"), QStringLiteral("_"),
                                        QLibraryInfo::path(QLibraryInfo::TranslationsPath));
    if (loaded)
        QCoreApplication::installTranslator(&translator);

    QFont font = QApplication::font();
    QStringList families = font.families();
    if (families.isEmpty())
        families.append(font.family());
    families.append(QStringLiteral("Noto Sans CJK JP"));
    font.setFamilies(families);
    app.setFont(font);
    return loaded;
}

} // namespace kadoru
