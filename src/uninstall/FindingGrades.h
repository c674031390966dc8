// The evidence of every finding once the places have been searched: ownership by
// the programs still installed, documents and program files of others in the file
// trees, and the grade that the reasons give.
#pragma once

#include <string>
#include <vector>

#include "uninstall/LeftoverScan.h"
#include "uninstall/TraceSearch.h"

namespace uninstall {

// Whether a file is one of the user's documents by its type: office files, pictures,
// photos, music and films anywhere; plain texts, PDFs and simple pictures only outside
// the install folder, where setups put readme files and images of their own.
bool IsUserDocument(const std::string& fileName, bool inInstallFolder);

// Whether a file is a program file by its type (*.exe, *.dll and the like).
bool IsProgramFile(const std::string& fileName);

// Keys found twice (by two places, or in two views that share them) become one,
// with the reasons of both; values-only findings of one key are joined, and a finding
// of the whole key takes them in.
std::vector<FoundKey> MergeFoundKeys(std::vector<FoundKey> keys);

// Marks the keys that another program owns (unless a place already did) and grades
// every key.
void GradeKeys(std::vector<FoundKey>& keys, const TraceSearch& search);

// Gives every node of the trees its evidence: the reasons of its top folder (a node
// with reasons of its own keeps those), InInstallFolder inside an install folder,
// OwnedByOther on what another program claims, below it and above it, UserData on
// documents and every folder holding one, OthersExecutables on program files another
// entry names and their folders; then its grade. Owners must be marked first.
void GradeFileTrees(std::vector<FileEntry>& trees, const TraceSearch& search);

}  // namespace uninstall
