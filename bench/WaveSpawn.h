// wave_spawn_ms: the time StompWorld::spawnWave takes to bring in a wave of 60
// victims, with every picture good and with one victim picture failing. Each
// case runs in a child process of its own, in a copy of res/, since a process
// keeps every picture it once loaded.
#pragma once

namespace bench {

constexpr const char* kWaveSpawnOption = "--wave-spawn";

// In the benchmark: the cases, each in a few children; prints the figures.
void measureWaveSpawn();
// In a child started with kWaveSpawnOption, in a folder holding res/: prints
// "wave_spawn_ms <median>" and returns the exit status.
int waveSpawnChild();

}  // namespace bench
