// What an allocation that fails must never do to a library file: change it
// without a write that completed, or leave it damaged. The watch notes the
// library files under the working folder before a step and compares after it.
#pragma once

#include <sys/stat.h>

#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace script {

class LibraryWatch {
 public:
  // Notes every library file under the working folder (SQLite files and files
  // named *.lib, journals aside) by its size, times and inode: any write
  // changes those. writes is the host's count of completed writes.
  void before(std::uint64_t writes);
  // Faults found since before(): a file changed, made or removed while no write
  // completed, or changed into one that no longer opens as a library.
  std::vector<std::string> after(std::uint64_t writes) const;

 private:
  struct Stamp {
    off_t size;
    timespec modified;
    ino_t inode;
    bool operator==(const Stamp& o) const {
      return size == o.size && modified.tv_sec == o.modified.tv_sec && modified.tv_nsec == o.modified.tv_nsec &&
             inode == o.inode;
    }
  };
  using Files = std::map<std::string, Stamp>;
  static Files read();
  Files files_;
  std::uint64_t writes_ = 0;
};

}  // namespace script
