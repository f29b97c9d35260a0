// Anchors the embedded data in a library of its own.
