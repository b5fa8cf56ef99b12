// The block clipboard commands of the editor view: Copy, Cut, Paste, Delete, Clear Buffer and
// Add New Message. Each acts on the view's selection (the current block and the blocks after
// it) and the application's block buffer, with the view's guards and messages; the menu and
// the command line run the same functions.
#pragma once

#include <string>

class CBlockBuffer;
class CTreskView;

// Texts the commands show.
extern const char* const kCutFirstBlocksText;
extern const char* const kDeleteBlockOneText;
std::string OpeningBlocksText(const char* what, unsigned firstPlayBlock);
std::string DeleteOpeningBlocksQuestion(unsigned firstPlayBlock);
std::string AddMessageRefusedText(int type);

// 57634: copies the selection into the buffer; the document is not touched.
void EditCopy(CTreskView& view, CBlockBuffer& buffer);
// 57635: moves the selection into the buffer. Refused with kCutFirstBlocksText from blocks 1
// to 3, and for a run that starts before the first block of play.
void EditCut(CTreskView& view, CBlockBuffer& buffer);
// 57637: inserts a copy of the buffer after the current block and shows its first block.
// Refused when the blocks would land before the first block of play.
void EditPaste(CTreskView& view, CBlockBuffer& buffer);
// 32831: deletes the selection. Refused for a run that holds block 1 (and so for every
// block); a run reaching into the opening blocks is deleted only after the person agrees.
void EditDeleteBlocks(CTreskView& view);
// 32838: asks for a type ("Enter message type to ADD") and appends an empty message of it to
// the current block, shown as the block's last. Types the game cannot take on their own
// (frame data, a second frame, id 19) are refused with a message.
void AddNewMessage(CTreskView& view);
