#include "common/Modules.h"

#include "server/ModulePlaces.h"

#include <QFile>
#include <QFileInfo>

#include <dlfcn.h>

#include <map>
#include <mutex>

namespace zorbon::ui {
namespace {

std::mutex& lock()
{
    static std::mutex m;
    return m;
}

std::optional<QStringList>& testDirs()
{
    static std::optional<QStringList> dirs;
    return dirs;
}

std::map<QString, void*>& opened()
{
    static std::map<QString, void*> handles;
    return handles;
}

QStringList searchPlaces(const QString& file)
{
    if (testDirs()) {
        QStringList places;
        for (const QString& dir : *testDirs())
            places << dir + QLatin1Char('/') + file;
        return places;
    }
    QStringList places;
    for (const auto& place : modulePlaces(QFile::encodeName(file).toStdString(), ZORBON_MODULE_BUILD_DIR))
        places << QFile::decodeName(place.c_str());
    return places;
}

} // namespace

void* moduleSymbol(const QString& file, const char* symbol, QString* problem)
{
    const std::lock_guard guard(lock());
    void* handle = nullptr;
    if (const auto found = opened().find(file); found != opened().end()) {
        handle = found->second;
    } else {
        QString path;
        for (const QString& place : searchPlaces(file)) {
            if (QFileInfo::exists(place)) {
                path = place;
                break;
            }
        }
        if (path.isEmpty()) {
            if (problem)
                *problem = QStringLiteral("chybí soubor %1").arg(file);
            return nullptr;
        }
        handle = dlopen(QFile::encodeName(path).constData(), RTLD_NOW | RTLD_LOCAL);
        if (!handle) {
            if (problem)
                *problem = QStringLiteral("soubor %1 nejde načíst (%2)").arg(path, QString::fromLocal8Bit(dlerror()));
            return nullptr;
        }
        opened()[file] = handle;
    }
    void* found = dlsym(handle, symbol);
    if (!found && problem)
        *problem = QStringLiteral("soubor %1 je jiné verze").arg(file);
    return found;
}

void lookForModulesIn(std::optional<QStringList> dirs)
{
    const std::lock_guard guard(lock());
    testDirs() = std::move(dirs);
    // Still open, for what they made may still be in use; only looked up afresh.
    opened().clear();
}

} // namespace zorbon::ui
