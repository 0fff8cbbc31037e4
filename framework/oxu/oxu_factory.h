// oxu's TCreateInstance over a given registry: the registrar itself, every
// other class from the registered libraries.
#pragma once

#include "framework/interfaces.h"

class LibraryRegistry;

int32_t CreateOxuInstance(LibraryRegistry& registry, const framework::Guid* classId,
                          const framework::Guid* interfaceId, void** object,
                          framework::Object* outer);
