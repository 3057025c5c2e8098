// SPDX-FileCopyrightText: 2026 Das Wulpe-Team
// SPDX-License-Identifier: GPL-3.0-or-later
#include "sprache.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace {

// Where Qt's translations lie: on Windows the program carries them in its own folder,
// wherever that folder was unpacked or installed; elsewhere they are Qt's, where the
// system keeps them.
QString translationsFolder()
{
#ifdef Q_OS_WIN
    return QCoreApplication::applicationDirPath() + QStringLiteral("/translations");
#else
    return QLibraryInfo::path(QLibraryInfo::TranslationsPath);
#endif
}

} // namespace

bool installGermanQtTexts(QCoreApplication& app)
{
    auto* translator = new QTranslator(&app);
    if (translator->load(QStringLiteral("qtbase_de"), translationsFolder())
        && QCoreApplication::installTranslator(translator))
        return true;
    delete translator;
    return false;
}
