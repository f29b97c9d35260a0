#pragma once

#include <string>

namespace numoria {

// The vertical stack of ideogram cells. Writers only use the three public
// operations below, which fix the order of every step; a backend (widgets, or
// memory for tests) supplies the primitive steps. Coordinates are twips.
class IdeogramColumn
{
public:
    virtual ~IdeogramColumn() = default;

    // Operation 1: picture of cell 0, then its tag. Nothing else of cell 0 moves.
    void writeFirst(int ideogram, const std::string &tag);

    // Operation 2: load cell k hidden, set picture, tag and top
    // (Top(0) + k * Height(0), read now), and only then show it, so the cell
    // is never seen at cell 0's place or with a wrong picture.
    void append(int index, int ideogram, const std::string &tag);

    // Operation 3: unload from the highest index down to 1. Cell 0 keeps its
    // picture and tag.
    void clear();

    // Readers.
    virtual int count() const = 0;
    virtual int picture(int index) const = 0;  // 0 when none
    virtual std::string tag(int index) const = 0;
    virtual float top(int index) const = 0;
    virtual float height(int index) const = 0;

protected:
    virtual void load(int index) = 0;  // created hidden, with cell 0's place and size
    virtual void unload(int index) = 0;
    virtual void setPicture(int index, int ideogram) = 0;
    virtual void setTag(int index, const std::string &tag) = 0;
    virtual void setTop(int index, float top) = 0;
    virtual void show(int index) = 0;
};

}  // namespace numoria
