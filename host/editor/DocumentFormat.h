#pragma once
// The editor's document file: one line-oriented text format for boards (".PcbDoc") and libraries
// (".PcbLib"). The first line names the format, its version and the document's kind; every other
// line is a keyword followed by Name=Value fields. Fields at their default are left out.
#include <string>
#include <string_view>

#include "host/editor/Document.h"

namespace gorvath {

constexpr std::string_view kFormatName = "QuorvelPcb";
constexpr int kFormatVersion = 1;

// True for a ".PcbLib" file name, false for ".PcbDoc" (any letter case); none otherwise.
enum class DocumentKind { Board, Library, Unknown };
DocumentKind KindOfFileName(std::string_view fileName);

// Appends `text` quoted as the format writes texts: "\"" and "\\" escaped, bytes below 32 and from
// 127 on as \xHH, so that any bytes fit on one line and read back unchanged.
void PutText(std::string& out, std::string_view text);

// The text of a document.
std::string WriteDocument(const Document& document);
// Builds a document from text. On error returns none, leaves the editor as it was and sets
// `error` to "file:line: what was wrong".
Document* ReadDocument(Editor& editor, std::string_view text, const std::string& fileName,
                       std::string& error);
// The text of a new library: one empty footprint "PCBComponent_1".
std::string EmptyLibraryText();

// Reads a document file. Errors name the file and, for bad content, the line.
Document* LoadDocument(Editor& editor, const std::string& fileName, std::string& error);
// Writes a document to a file through a temporary file beside it, so that a failed write leaves
// the old file as it was.
bool SaveDocument(const Document& document, const std::string& fileName, std::string& error);
// Writes a text file the same way.
bool WriteTextFile(const std::string& fileName, std::string_view text, std::string& error);

}  // namespace gorvath
