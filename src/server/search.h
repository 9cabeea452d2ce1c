#pragma once
// The patient searches' row cap, shared with the search list that tells the user about it.
namespace server {
// The most rows a patient search returns; a search that finds more returns one row more
// than this, so the caller can tell that it was cut.
int searchLimit();
} // namespace server
