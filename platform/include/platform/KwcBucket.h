#pragma once
// KwcBucket: a byte buffer that carries key material (derived keys, unwrapped keys, decoded
// account keys). Its bytes are wiped whenever storage is given back, on destruction, clear and
// growth alike, so secrets do not linger in freed memory. Copies are deep; a moved-from bucket
// is empty.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace kwc_detail {
// Overwrites the bytes in a way the compiler cannot drop.
void wipe(void* data, std::size_t size);

template <typename T>
struct WipingAllocator {
  using value_type = T;
  WipingAllocator() = default;
  template <typename U>
  WipingAllocator(const WipingAllocator<U>&) {}
  T* allocate(std::size_t count) { return std::allocator<T>{}.allocate(count); }
  void deallocate(T* data, std::size_t count) {
    wipe(data, count * sizeof(T));
    std::allocator<T>{}.deallocate(data, count);
  }
  template <typename U>
  bool operator==(const WipingAllocator<U>&) const { return true; }
};
}  // namespace kwc_detail

class KwcBucket {
 public:
  KwcBucket() = default;
  // size zero bytes.
  explicit KwcBucket(std::size_t size) : bytes_(size) {}
  KwcBucket(const void* data, std::size_t size);
  // The bytes of a text, as they are.
  static KwcBucket fromText(std::string_view text) { return KwcBucket(text.data(), text.size()); }

  ~KwcBucket() { clear(); }
  KwcBucket(const KwcBucket&) = default;
  KwcBucket& operator=(const KwcBucket&) = default;
  KwcBucket(KwcBucket&&) noexcept = default;
  KwcBucket& operator=(KwcBucket&&) noexcept = default;

  std::uint8_t* data() { return bytes_.data(); }
  const std::uint8_t* data() const { return bytes_.data(); }
  std::size_t size() const { return bytes_.size(); }
  bool empty() const { return bytes_.empty(); }

  // Wipes and resizes; new bytes are zero.
  void resize(std::size_t size);
  // Wipes and empties.
  void clear();

  // The bytes seen as characters, valid while the bucket is unchanged.
  std::string_view view() const;
  // A copy of the bytes as a text: the caller takes over keeping it secret.
  std::string toText() const { return std::string(view()); }

  bool operator==(const KwcBucket& other) const { return bytes_ == other.bytes_; }

 private:
  std::vector<std::uint8_t, kwc_detail::WipingAllocator<std::uint8_t>> bytes_;
};
