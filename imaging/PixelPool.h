#pragma once
// Large pixel blocks recycled between pictures. Faulting in a fresh 36 MB
// block for every 12-megapixel photo costs about a sixth of an album run, so
// newdib takes blocks from here and a freed Image gives them back. The pool is
// shared by all threads and bounded: it keeps at most one free block per
// core, each no larger than kLargestPooledBlock, so the memory it holds never
// grows with the number of pictures.
#include <cstddef>
#include <cstdint>

namespace imaging {

// Blocks below this size come from the ordinary heap, which recycles them well.
inline constexpr size_t kSmallestPooledBlock = size_t{1} << 20;
inline constexpr size_t kLargestPooledBlock = size_t{256} << 20;

// `bytes` zeroed bytes, or nullptr when memory runs out.
uint8_t* TakePixelBlock(size_t bytes);

// Frees `block` or keeps it for the next picture. Any block from malloc may
// be handed in (records built outside the library); nullptr is ignored.
void GivePixelBlock(uint8_t* block);

// `block` (from TakePixelBlock) enlarged to `bytes`, its content kept and the
// rest not zeroed; nullptr when memory runs out, `block` then unchanged.
uint8_t* GrowPixelBlock(uint8_t* block, size_t bytes);

// What the pool holds while no picture uses it: for tests and benchmarks.
struct PoolUsage {
  size_t freeBlocks;
  size_t freeBytes;
};
PoolUsage PixelPoolUsage();

// Frees every kept block, e.g. before measuring memory.
void DrainPixelPool();

}  // namespace imaging
