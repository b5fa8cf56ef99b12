// The search report without its widgets: the rows an Advanced Search lists, what happens to
// them when a message is deleted, and the report's commands (go to a row's message, select
// the rows' blocks, delete the rows' messages, run again).
//
// The report is a view of its document: it registers for the document's update broadcast,
// sends hints 2, 3 and 4 to the editor view and follows hint 3 [block, message, kind] back.
// Rows are numbered by block and message; once the demo changes in another way (a cut, paste,
// delete or reverse of blocks, an undo) they point at other messages, so the report remembers
// the document's change count it was filled at and refuses to act on rows that are out of
// date until it is run again.
#pragma once

#include "demo/document_view.h"
#include "editor/ui.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

class CTreskDoc;

// Shown when a report's rows no longer match the demo.
extern const char* const kReportOutOfDateText;

struct SearchReportRow {
    std::string typeName; // column 0: "print", "stufftext", "centerprint" or "sound"
    std::string text;     // column 1: the message text, or the sound's name
    uint32_t block = 0;   // column 2, and the row's item data
    uint32_t message = 0; // column 3: the message's position inside its block
};

// The rows of a search on a document, in block and message order, from block 1 through the
// last block: with `console`, every print, stufftext and centerprint (their texts are not
// filtered); with `sound`, every sound message of the first sound of the sound table whose
// name holds the keyword (the one matcher, case ignored), if there is one.
std::vector<SearchReportRow> RunSearchReport(CTreskDoc& doc, const AdvancedSearchDlgData& options);

class SearchReportModel : public DocumentView {
  public:
    // Registers with the document; the destructor unregisters.
    SearchReportModel(CTreskDoc& doc, Ui& ui);
    ~SearchReportModel() override;
    SearchReportModel(const SearchReportModel&) = delete;
    SearchReportModel& operator=(const SearchReportModel&) = delete;

    // The initial update: runs the options dialog; on OK fills the rows and shows the columns.
    // On Cancel the report stays empty and without columns.
    void OnInitialUpdate();
    // 32871 "&Update": runs the search again with the options it was filled with (nothing for
    // a report that was never filled).
    void OnUpdateReport();

    // The commands on the selected rows (indices into Rows(), in any order). Without a
    // selected row they do nothing; on rows out of date they show kReportOutOfDateText.
    // Double click: hint 2 [block, message] of the first selected row.
    void OnDoubleClick(const std::vector<size_t>& selected);
    // 32870 "&Select Items": hint 4 [block of the first, block of the last selected row].
    void OnSelectItems(const std::vector<size_t>& selected);
    // 32869 "&Delete Selection": hint 3 [block, message] for each selected row once, from the
    // last to the first, so that the deletions do not move the rows still to go. A deletion
    // the editor view refuses leaves its row; it stops when the rows go out of date.
    void OnDeleteSelection(const std::vector<size_t>& selected);

    // Hint 3 [block, message, kind]: the deleted message's row goes, the later rows of its
    // block move up one message and, for kind 2, the rows of later blocks one block. Other
    // hints are ignored.
    void OnUpdate(DocumentView* sender, int hint, const std::vector<uint32_t>& values) override;

    bool HasColumns() const { return filled_; }
    const std::vector<SearchReportRow>& Rows() const { return rows_; }
    // The demo changed since the rows were made in a way they do not follow.
    bool IsOutOfDate() const;
    const AdvancedSearchDlgData& Options() const { return options_; }

    // Told after the rows changed (filled, run again, a row removed or renumbered).
    std::function<void()> onRowsChanged;

  private:
    void Fill();
    // Shows the message and answers false when the rows are out of date.
    bool CheckUpToDate();
    void RowsChanged();
    // The rows of `block` still name messages of their type.
    bool RowsOfBlockHold(uint32_t block) const;

    CTreskDoc& doc_;
    Ui& ui_;
    AdvancedSearchDlgData options_;
    bool filled_ = false;
    std::vector<SearchReportRow> rows_;
    uint64_t seenChanges_ = 0;
};
