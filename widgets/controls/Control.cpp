#include "widgets/controls/Control.h"

Control::Control(const ComponentCreation& creation, TabPlace tab)
    : Component(creation.description), parent_(creation.parent), id_(creation.id), tab_(tab)
{
}

void Control::CreateHandle(const char* windowClass, DWORD style, const std::string& text, int height,
                           MessageHandler* handler)
{
    const ComponentDescription& row = Description();
    WindowCreation creation;
    creation.className = windowClass;
    creation.text = text;
    creation.style = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | (TabStop() ? WS_TABSTOP : 0) | style;
    creation.left = Scale(row.left);
    creation.top = Scale(row.top);
    creation.width = Scale(row.width);
    creation.height = height;
    creation.parent = parent_.window;
    creation.id = id_;
    window_.Create(creation, handler, "control " + row.name);
    SendMessageA(window_.Get(), WM_SETFONT, reinterpret_cast<WPARAM>(parent_.metrics.font), FALSE);
}
