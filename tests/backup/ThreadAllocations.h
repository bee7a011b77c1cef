#ifndef TESTS_BACKUP_THREADALLOCATIONS_H
#define TESTS_BACKUP_THREADALLOCATIONS_H

// BackupTests replaces operator new and delete to follow what threads other
// than the one that started the program allocate: a copy run's thread
// allocates its progress records and nothing else with new. Whoever frees a
// block, on any thread, takes it off the list.
namespace threadallocations {

// Blocks allocated off the main thread and not freed yet.
int outstanding();

} // namespace threadallocations

#endif
