// Where a configstring read before the demo's first frame goes in the document.
#pragma once

#include <string>

class CTreskDoc;

// Stores a configstring in the document's signon field or table for its index. Returns true
// when it went there (the rebuilt signon then carries it); false for indices the document
// does not keep (32, light styles 800 to 1056, general strings from 1568 on).
bool RouteSignonConfigString(CTreskDoc& doc, int index, const std::string& value);

// What the rebuilt signon gives the game at a configstring index: the document's field or
// table entry for it, empty for indices the signon does not carry.
std::string SignonConfigString(const CTreskDoc& doc, int index);

struct ConfigStringMessage;
// After the record of a signon configstring was edited (it stood at `oldIndex`): the slot it
// left is emptied and its value goes where its index now says; a record whose new index the
// document does not keep is written as it stands from now on.
void RouteEditedSignonConfigString(CTreskDoc& doc, ConfigStringMessage& record, int oldIndex);
