#include "outside/mapi32/message_json.h"

#include <vector>

namespace kz8::outside {
namespace {

// A count with no array behind it is logged as null, not walked.
template <typename Item, typename Describe>
std::string listJson(const Item* items, ULONG count, Describe describe) {
    if (!items) return count == 0 ? "[]" : "null";
    std::vector<std::string> described;
    for (ULONG i = 0; i < count; ++i) described.push_back(describe(items[i]));
    return jsonArray(described);
}

}  // namespace

std::string recipientJson(const MapiRecipDesc* recipient) {
    if (!recipient) return "null";
    return JsonObject()
        .number("class", recipient->ulRecipClass)
        .text("name", recipient->lpszName)
        .text("address", recipient->lpszAddress)
        .number("entryIdSize", recipient->ulEIDSize)
        .str();
}

std::string fileJson(const MapiFileDesc& file) {
    return JsonObject()
        .number("flags", file.flFlags)
        .number("position", file.nPosition)
        .text("path", file.lpszPathName)
        .text("name", file.lpszFileName)
        .text("fileType", file.lpFileType ? "present" : nullptr)
        .str();
}

void describeMessage(const MapiMessage* message, JsonObject& entry) {
    if (!message) {
        entry.json("message", "null");
        return;
    }
    entry.text("subject", message->lpszSubject)
        .text("note", message->lpszNoteText)
        .text("messageType", message->lpszMessageType)
        .text("dateReceived", message->lpszDateReceived)
        .text("conversationID", message->lpszConversationID)
        .number("messageFlags", message->flFlags)
        .json("originator", recipientJson(message->lpOriginator))
        .json("recips", listJson(message->lpRecips, message->nRecipCount,
                                 [](const MapiRecipDesc& r) { return recipientJson(&r); }))
        .json("files", listJson(message->lpFiles, message->nFileCount, fileJson));
}

}  // namespace kz8::outside
