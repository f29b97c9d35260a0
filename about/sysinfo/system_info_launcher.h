#pragma once

#include "message_box.h"
#include "registry.h"

#include <QString>

#include <cstddef>
#include <cstdint>
#include <functional>

class QWidget;

namespace numoria {

// The system-information button: finds the tool in the registry and starts it,
// or says in one plain message that it is not available. Registry, file test
// and launcher are handed in so that every way through can be tried.
class SystemInfoLauncher
{
public:
    using FileTest = std::function<bool(const QString &path)>;
    using ProgramStarter = std::function<bool(const QString &program)>;

    static constexpr std::uint32_t accessMask = 0x2003F;
    static constexpr std::size_t bufferSize = 1024;

    SystemInfoLauncher(Registry &registry, FileTest fileExists, ProgramStarter startProgram);

    // Reads one value as text into KeyVal. True when the key was opened and
    // the value read; on false KeyVal is emptied. The key is always closed.
    bool GetKeyValue(registry::Key KeyRoot, const QString &KeyName, const QString &SubKeyRef,
                     QString &KeyVal);

    // Starts the tool named by the registry without waiting for it, or shows
    // unavailableMessage().
    void StartSysInfo(QWidget *parent);

    // The tool's file in a directory read from the registry.
    static QString toolInDirectory(const QString &directory);

    // French whatever the interface language.
    static Message unavailableMessage();

private:
    bool findAndStartTool();
    bool readValue(registry::Key root, const QString &keyName, const QString &valueName,
                   QString &text, registry::Key &key);

    Registry &registry_;
    FileTest fileExists_;
    ProgramStarter startProgram_;
};

}  // namespace numoria
