// The digest of the bytes a spectrum was read from, computed only when
// something asks for it. Hashing a file of megabytes costs about as much as
// reading it, and only reports show the digest: batch work opens hundreds of
// spectra and never asks. The engine reads no files, so whoever read the
// bytes hands over how to hash them.
#pragma once

#include <functional>
#include <memory>
#include <string>

namespace korin {

class LazyDigest {
 public:
  // Hashes the bytes read. It owns them (a shared, unchanging copy or the
  // buffer the file was read into), never the path: the file may have
  // changed since.
  using Compute = std::function<std::string()>;

  // No bytes were read: the digest is empty.
  LazyDigest() = default;

  // A digest known already.
  [[nodiscard]] static LazyDigest Known(std::string digest);
  // A digest that `compute` answers on the first request. Until then the
  // bytes it holds stay in memory, as long as some copy of this lives: the
  // window's engine keeps at most one file per side, and batch engines are
  // dropped once their dye is prepared, so that costs at most two files.
  // Once computed, `compute` and with it the bytes are released.
  [[nodiscard]] static LazyDigest OnDemand(Compute compute);

  // The digest, computed on the first call. Copies share it: whichever
  // asks first computes it once, also when several threads ask at once.
  [[nodiscard]] const std::string& Value() const;

  // Whether the digest is at hand without computing: known from the start,
  // or asked for before. Tells whether opening hashed anything.
  [[nodiscard]] bool Ready() const;

 private:
  struct State;
  std::shared_ptr<State> state_;
};

}  // namespace korin
