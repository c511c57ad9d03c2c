// Bufferable: the base of every value that can append itself to a Buffer and read itself back.
#pragma once

class Buffer;

class Bufferable {
public:
    virtual ~Bufferable() = default;
    virtual void writeToBuffer(Buffer* target) { (void)target; }
    virtual void readFromBuffer(Buffer* source) { (void)source; }
};
