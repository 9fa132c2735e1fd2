// Pictures in work share one memory budget: a picture waits until its
// memory fits, one alone always runs, and one that holds memory never waits.
#include <gtest/gtest.h>

#include <chrono>
#include <future>
#include <thread>

#include "imaging/DecodeBudget.h"

namespace {

using namespace std::chrono_literals;

// Admits `bytes` in an admission of its own on another thread, which holds
// its share until `done` is set.
std::future<void> PictureHolding(imaging::DecodeBudget& budget, uint64_t bytes, std::shared_future<void> done) {
  return std::async(std::launch::async, [&budget, bytes, done] {
    imaging::DecodeAdmission admission(budget);
    imaging::AdmitDecodeMemory(bytes);
    done.wait();
  });
}

// Runs `work` on a thread of its own; false when it has not returned within
// ten seconds (it is left waiting: the test has failed).
template <class Work>
bool FinishesInTime(Work work) {
  std::packaged_task<void()> task(work);
  std::future<void> finished = task.get_future();
  std::thread thread(std::move(task));
  if (finished.wait_for(10s) == std::future_status::timeout) {
    thread.detach();
    return false;
  }
  thread.join();
  return true;
}

TEST(DecodeBudget, APictureWaitsUntilItsMemoryFits) {
  imaging::DecodeBudget budget(100);
  std::promise<void> firstDone, secondDone;
  auto first = PictureHolding(budget, 80, firstDone.get_future().share());
  while (budget.Held() != 80) std::this_thread::yield();
  auto second = PictureHolding(budget, 30, secondDone.get_future().share());
  EXPECT_EQ(second.wait_for(200ms), std::future_status::timeout);
  EXPECT_EQ(budget.Held(), 80u);
  firstDone.set_value();
  first.get();
  while (budget.Held() != 30) std::this_thread::yield();  // the second got in
  secondDone.set_value();
  second.get();
  EXPECT_EQ(budget.Held(), 0u);
}

TEST(DecodeBudget, APictureLargerThanTheBudgetRunsAloneAndGrowsWithoutWaiting) {
  static imaging::DecodeBudget budget(100);  // outlives a thread left waiting
  uint64_t held = 0;
  EXPECT_TRUE(FinishesInTime([&held] {
    imaging::DecodeAdmission admission(budget);
    imaging::AdmitDecodeMemory(500);
    imaging::AdmitDecodeMemory(300);  // its next image: it already holds a share
    held = budget.Held();
  }));
  EXPECT_EQ(held, 800u);
  EXPECT_EQ(budget.Held(), 0u);
}

TEST(DecodeBudget, AHolderGrowsPastTheBudgetWhileAnotherHoldsToo) {
  static imaging::DecodeBudget budget(100);
  std::promise<void> otherDone;
  auto other = PictureHolding(budget, 10, otherDone.get_future().share());
  while (budget.Held() != 10) std::this_thread::yield();
  EXPECT_TRUE(FinishesInTime([] {
    imaging::DecodeAdmission admission(budget);
    imaging::AdmitDecodeMemory(80);
    imaging::AdmitDecodeMemory(50);
  }));
  EXPECT_EQ(budget.Held(), 10u);
  otherDone.set_value();
  other.get();
}

TEST(DecodeBudget, ThreadsWithoutAnAdmissionNeitherWaitNorCount) {
  imaging::DecodeBudget budget(100);
  std::promise<void> done;
  auto holder = PictureHolding(budget, 100, done.get_future().share());
  while (budget.Held() != 100) std::this_thread::yield();
  imaging::AdmitDecodeMemory(1000);  // this thread has no admission
  EXPECT_EQ(budget.Held(), 100u);
  done.set_value();
  holder.get();
  EXPECT_GT(imaging::SharedDecodeBudget().Bytes(), uint64_t{1} << 28);
}

}  // namespace
