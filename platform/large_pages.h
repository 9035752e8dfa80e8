// Large lists (the postings of a whole archive, their sorted copies) are
// written once into fresh memory, and with small pages each 4 KiB of it
// costs a page fault. These ask the system to back such memory with large
// pages instead, where it offers them on request; nothing else changes.
#pragma once

#include <algorithm>
#include <cstddef>
#include <iterator>
#include <vector>

namespace tobrel {

// Asks for large pages for the bytes of [data, data + bytes) not yet written.
// Does nothing for a block of a few megabytes or less, or where the system
// does not take the advice.
void AdviseLargePages(const void* data, std::size_t bytes);

// Has the system back the whole pages of [data, data + bytes) with memory
// now, as writing there would, without changing what they hold: a thread
// with time to spare takes the clearing of fresh memory off the one that
// will write there. Does nothing where the system cannot.
void PrefaultForWriting(const void* data, std::size_t bytes);

// Makes room in `list` for at least `wanted` elements, at least twice what it
// had (so that adding one at a time stays cheap): the elements move into a
// new block that large pages were advised for before they were written.
template <typename T>
void ReserveWithLargePages(std::vector<T>& list, std::size_t wanted) {
  if (wanted <= list.capacity()) return;
  std::vector<T> grown;
  grown.reserve(std::max(wanted, list.capacity() * 2));
  AdviseLargePages(grown.data(), grown.capacity() * sizeof(T));
  grown.insert(grown.end(), std::make_move_iterator(list.begin()),
               std::make_move_iterator(list.end()));
  list.swap(grown);
}

// A list of `size` value-initialised elements in a block that large pages
// were advised for.
template <typename T>
std::vector<T> LargePagesVector(std::size_t size) {
  std::vector<T> list;
  list.reserve(size);
  AdviseLargePages(list.data(), size * sizeof(T));
  list.resize(size);
  return list;
}

}  // namespace tobrel
