#pragma once
// Makes the component a description row describes: the class its settings belong to.
#include "widgets/form/Component.h"

#include <memory>

std::unique_ptr<Component> CreateComponent(const ComponentCreation& creation);
