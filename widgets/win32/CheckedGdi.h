#pragma once
// A GDI creation the drawing cannot do without: the handle it made, or a
// std::runtime_error naming what could not be made (the message handler's report shows it).
#include <stdexcept>
#include <string>

template <typename Handle>
Handle Checked(Handle handle, const char* what)
{
    if (!handle)
        throw std::runtime_error(std::string("Cannot create ") + what);
    return handle;
}
