// How a Simple MAPI message and its parts appear in the call log. Numbers are
// written unsigned as the structures hold them: a position of -1 reads
// 4294967295.
#pragma once

#include <windows.h>
// Needs windows.h first.
#include <mapi.h>

#include <string>

#include "outside/mapi32/json_text.h"

namespace kz8::outside {

// Adds subject, note, messageType, dateReceived, conversationID,
// messageFlags, originator, recips and files; a null message is "message": null.
void describeMessage(const MapiMessage* message, JsonObject& entry);

// {"class","name","address","entryIdSize"}, or null.
std::string recipientJson(const MapiRecipDesc* recipient);

// {"flags","position","path","name","fileType"}; the file type is opaque to
// us, so it shows only as null or "present".
std::string fileJson(const MapiFileDesc& file);

}  // namespace kz8::outside
