// ioweave's TCreateInstance: the XML document, kNoClass for everything else.
#pragma once

#include "framework/interfaces.h"

int32_t CreateIoweaveInstance(const framework::Guid* classId, const framework::Guid* interfaceId,
                              void** object, framework::Object* outer);
