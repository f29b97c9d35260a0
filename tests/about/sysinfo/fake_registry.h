#pragma once

#include "registry.h"

#include <QByteArray>

#include <cstring>
#include <map>
#include <stdexcept>
#include <string>
#include <vector>

// A registry held in memory that records the keys closed. Key paths and value
// names match exactly, so tests see the very strings that were passed.
class FakeRegistry : public numoria::Registry
{
public:
    struct Value {
        std::uint32_t type = numoria::registry::TypeString;
        QByteArray data;
    };

    void setString(const std::string &key, const std::string &name, const QByteArray &text)
    {
        keys[key][name] = {numoria::registry::TypeString, text + '\0'};
    }

    numoria::registry::Result RegOpenKeyExA(numoria::registry::Key root, const std::string &subKey, std::uint32_t,
                                            std::uint32_t, numoria::registry::Key *result) override
    {
        ++opens;
        // Leaves *result alone on failure, so the caller's own start value shows.
        if (root != numoria::registry::LocalMachine || !keys.contains(subKey))
            return numoria::registry::FileNotFound;
        *result = nextKey++;
        openKeys[*result] = subKey;
        return numoria::registry::Success;
    }

    numoria::registry::Result RegQueryValueExA(numoria::registry::Key key, const std::string &valueName,
                                               std::uint32_t *type, unsigned char *data,
                                               std::uint32_t *dataSize) override
    {
        if (throwOnQuery)
            throw std::runtime_error("query");
        const auto open = openKeys.find(key);
        if (open == openKeys.end() || !type || !data || !dataSize)
            return numoria::registry::InvalidParameter;
        const auto found = keys.at(open->second).find(valueName);
        if (found == keys.at(open->second).end())
            return numoria::registry::FileNotFound;
        const auto size = std::uint32_t(found->second.data.size());
        const bool fits = size <= *dataSize;
        *type = found->second.type;
        *dataSize = size;
        if (!fits)
            return numoria::registry::MoreData;
        std::memcpy(data, found->second.data.constData(), size);
        return numoria::registry::Success;
    }

    numoria::registry::Result RegCloseKey(numoria::registry::Key key) override
    {
        closes.push_back(key);
        return openKeys.erase(key) > 0 ? numoria::registry::Success : numoria::registry::InvalidHandle;
    }

    std::map<std::string, std::map<std::string, Value>> keys;
    std::map<numoria::registry::Key, std::string> openKeys;
    std::vector<numoria::registry::Key> closes;
    std::size_t opens = 0;
    bool throwOnQuery = false;
    numoria::registry::Key nextKey = 0x100;
};
