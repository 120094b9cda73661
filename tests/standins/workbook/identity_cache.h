#pragma once

// One object per key while anybody holds it: asking twice for the same
// range gives the same object, so a COM server hands out an object its
// client already has instead of a new one to marshal and release.

#include <algorithm>
#include <map>
#include <memory>
#include <mutex>

template <typename Key, typename Object>
class CIdentityCache {
 public:
  // The live object of `key`, or a new one from `make`.
  template <typename Make>
  std::shared_ptr<Object> Find(const Key& key, Make make) {
    std::lock_guard lock(m_mutex);
    std::weak_ptr<Object>& slot = m_objects[key];
    if (std::shared_ptr<Object> live = slot.lock()) return live;
    std::shared_ptr<Object> made = make();
    slot = made;
    SweepWhenGrown();
    return made;
  }

 private:
  // Dead entries go at every doubling, so the sweeps cost O(1) per call.
  void SweepWhenGrown() {
    if (m_objects.size() < m_sweepAt) return;
    std::erase_if(m_objects, [](const auto& entry) { return entry.second.expired(); });
    m_sweepAt = std::max<std::size_t>(kFirstSweep, 2 * m_objects.size());
  }

  static constexpr std::size_t kFirstSweep = 64;
  std::map<Key, std::weak_ptr<Object>> m_objects;
  std::size_t m_sweepAt = kFirstSweep;
  std::mutex m_mutex;
};
