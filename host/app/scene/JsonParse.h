#pragma once

#include <cstddef>
#include <cstdio>
#include <functional>
#include <string_view>

#include "JsonStream.h"
#include "JsonValue.h"

// Receives a JSON document's top-level object while it is read, one member at a time; an array member the
// receiver asks for comes item by item. Each value lives only for the call that hands it over.
class JsonTopReceiver {
public:
    virtual ~JsonTopReceiver() = default;
    // Whether an array under this key should come item by item. Asked on the thread that reads the text,
    // so it may only look at the key.
    virtual bool ByItem(std::string_view key) const = 0;
    // A member's key (each key is given once: a repeated key is an error before this is called).
    virtual void Key(std::string_view key) = 0;
    virtual void Value(std::string_view key, JsonRef value) = 0;
    virtual void Item(std::string_view key, size_t index, JsonRef value) = 0;
    // The top-level object is closed.
    virtual void End() = 0;
};

// How deep arrays and objects may nest, counted below the top-level object: far beyond any scene (a node
// tree of the deepest kind the reader takes needs about 2,000 levels), and each level costs a little memory.
constexpr size_t kMaxJsonNesting = 10000;

// Reads a document whose top level must be an object. Fails with SceneError: "line L, column C: ..." for
// text that is not JSON, "<path>: ..." for a key given twice in one object, text that is not UTF-8, a
// number beyond any double and arrays or objects nested more than kMaxJsonNesting deep; a receiver's own
// SceneError passes through. `progress`, when given, hears the share of the text read (0 to 100) as it grows.
// The text is read on a thread of its own while the receiver takes what was read (`threads` 2 or more, or
// 0 for a large text on a machine with several processors); the receiver and `progress` are always called
// on the caller's thread, in document order, and an error is the same as when read on one thread.
void ParseJsonTop(const char* text, size_t size, JsonTopReceiver& receiver,
                  const std::function<void(int)>& progress = nullptr, unsigned threads = 0);

// Reads the document in an open file, from where the file stands to its end, `chunkSize` bytes at a time
// into one buffer on the thread that reads the text, which never holds the whole text. `size` is the
// size the file is expected to have: the progress counts against it, and it chooses the threads as a
// text's size does. Errors are those of the text in memory; a failed read throws JsonReadError.
void ParseJsonTop(std::FILE* file, size_t size, JsonTopReceiver& receiver,
                  const std::function<void(int)>& progress = nullptr, unsigned threads = 0,
                  size_t chunkSize = kJsonChunkSize);
