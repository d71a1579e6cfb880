#pragma once
// An operation that the object it was asked of cannot carry out in its present state or
// with the given arguments (a property its class does not have, a control on the wrong
// kind of parent). Shown like any other error that leaves a handler.
#include <stdexcept>

class InvalidOperation : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};
