#pragma once

#include "registry.h"

#include <QByteArray>

#include <algorithm>
#include <cstring>
#include <map>
#include <optional>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

// A registry held in memory that records every call made to it. Key paths and
// value names match exactly, so tests see the very strings that were passed.
class FakeRegistry : public numoria::Registry
{
public:
    struct Value {
        std::uint32_t type = numoria::registry::TypeString;
        QByteArray data;
        // Size to report instead of data.size(), as a faulty driver might.
        std::optional<std::uint32_t> reportedSize;
        numoria::registry::Result result = numoria::registry::Success;
    };

    struct OpenCall {
        numoria::registry::Key root;
        std::string subKey;
        std::uint32_t options;
        std::uint32_t desiredAccess;
    };

    struct QueryCall {
        numoria::registry::Key key;
        std::string valueName;
        std::uint32_t bufferSize;
        bool bufferAllNul;
    };

    void setValue(const std::string &key, const std::string &name, Value value)
    {
        keys[key][name] = std::move(value);
    }
    void setString(const std::string &key, const std::string &name, const QByteArray &text)
    {
        setValue(key, name, {numoria::registry::TypeString, text + '\0', {}, numoria::registry::Success});
    }

    numoria::registry::Result RegOpenKeyExA(numoria::registry::Key root, const std::string &subKey,
                                            std::uint32_t options, std::uint32_t desiredAccess,
                                            numoria::registry::Key *result) override
    {
        opens.push_back({root, subKey, options, desiredAccess});
        if (throwOnOpen)
            throw std::runtime_error("open");
        // Leaves *result alone on failure, so the caller's own start value shows.
        if (root != numoria::registry::LocalMachine || !keys.contains(subKey))
            return numoria::registry::FileNotFound;
        const numoria::registry::Key key = nextKey++;
        openKeys[key] = subKey;
        *result = key;
        return numoria::registry::Success;
    }

    numoria::registry::Result RegQueryValueExA(numoria::registry::Key key, const std::string &valueName,
                                               std::uint32_t *type, unsigned char *data,
                                               std::uint32_t *dataSize) override
    {
        const std::uint32_t room = dataSize ? *dataSize : 0;
        bool allNul = data != nullptr;
        for (std::uint32_t i = 0; data && i < room; ++i)
            allNul = allNul && data[i] == 0;
        queries.push_back({key, valueName, room, allNul});
        if (throwOnQuery)
            throw std::runtime_error("query");
        if (!data || !dataSize)
            return numoria::registry::InvalidParameter;

        const auto open = openKeys.find(key);
        if (open == openKeys.end())
            return numoria::registry::InvalidHandle;
        const auto &values = keys.at(open->second);
        const auto found = values.find(valueName);
        if (found == values.end())
            return numoria::registry::FileNotFound;
        const Value &value = found->second;
        if (value.result != numoria::registry::Success)
            return value.result;
        if (type)
            *type = value.type;
        const auto size = std::uint32_t(value.data.size());
        *dataSize = size;
        if (room < size)
            return numoria::registry::MoreData;
        std::memcpy(data, value.data.constData(), size);
        if (value.reportedSize)
            *dataSize = *value.reportedSize;
        return numoria::registry::Success;
    }

    numoria::registry::Result RegCloseKey(numoria::registry::Key key) override
    {
        closes.push_back(key);
        return openKeys.erase(key) > 0 ? numoria::registry::Success : numoria::registry::InvalidHandle;
    }

    // Every call with handle 0, i.e. for a key that never opened.
    long closesOfNothing() const { return std::count(closes.begin(), closes.end(), 0); }

    std::map<std::string, std::map<std::string, Value>> keys;
    std::map<numoria::registry::Key, std::string> openKeys;
    std::vector<OpenCall> opens;
    std::vector<QueryCall> queries;
    std::vector<numoria::registry::Key> closes;
    bool throwOnOpen = false;
    bool throwOnQuery = false;
    numoria::registry::Key nextKey = 0x100;
};
