#include "app/watch.h"

#include <cstdio>
#include <cstring>

#include "app/dirWatch.h"
#include "app/frame.h"
#include "gfx/reload.h"
#include "gfx/shadingModes.h"
#include "gfx/textureSet.h"

namespace {

const char* const watchedDirs[] = {"shaders", "textures"};

// One slot per thing a change rebuilds: the five programs, the four images,
// the six cube faces. Bit i of a change stands for slot i.
const int firstTextureSlot = shadingModeCount - 1;
const int firstFaceSlot = firstTextureSlot + textureCount;
const int slotCount = firstFaceSlot + cubeFaceCount;

DirWatch dirWatch;
QuietTime quietTime;
// The slot's failure still standing, and when it came, for showing the latest.
char problems[slotCount][problemSize];
long long problemOrder[slotCount];
long long failures = 0;
int shownSlot = -1;

int modeOfSlot(int slot)
{
    return slot + 1;
}

// "shaders/x.frag" split at its folder, compared with what inotify names.
bool sameFile(const char* path, const char* dir, const char* name)
{
    const std::size_t dirLength = std::strlen(dir);
    return std::strncmp(path, dir, dirLength) == 0 && path[dirLength] == '/' &&
           std::strcmp(path + dirLength + 1, name) == 0;
}

// The slots a file's change touches: none for files the program does not read.
unsigned slotsOfFile(const char* dir, const char* name)
{
    unsigned bits = 0;
    for (int slot = 0; slot < firstTextureSlot; ++slot) {
        const ShaderSources& sources = modeSources[modeOfSlot(slot)];
        if (sameFile(sources.vertex, dir, name) || sameFile(sources.fragment, dir, name))
            bits |= 1u << slot;
    }
    for (int i = 0; i < textureCount; ++i)
        if (sameFile(texturePaths[i], dir, name))
            bits |= 1u << (firstTextureSlot + i);
    for (int i = 0; i < cubeFaceCount; ++i)
        if (sameFile(cubeFacePaths[i], dir, name))
            bits |= 1u << (firstFaceSlot + i);
    return bits;
}

// Which of a mode's files changed since its last rebuild, for the console line.
bool changedFiles[shadingModeCount][2];

void onDirEvent(int dir, const char* name)
{
    const unsigned bits = slotsOfFile(watchedDirs[dir], name);
    for (int slot = 0; slot < firstTextureSlot; ++slot) {
        const ShaderSources& sources = modeSources[modeOfSlot(slot)];
        if ((bits & (1u << slot)) != 0) {
            changedFiles[modeOfSlot(slot)][0] |= sameFile(sources.vertex, watchedDirs[dir], name);
            changedFiles[modeOfSlot(slot)][1] |= sameFile(sources.fragment, watchedDirs[dir], name);
        }
    }
    noteEvent(quietTime, bits, monotonicMs());
}

void showLatestProblem()
{
    shownSlot = -1;
    for (int slot = 0; slot < slotCount; ++slot)
        if (problems[slot][0] != '\0' && (shownSlot < 0 || problemOrder[slot] > problemOrder[shownSlot]))
            shownSlot = slot;
}

void settle(int slot, bool good)
{
    if (good)
        problems[slot][0] = '\0';
    else
        problemOrder[slot] = ++failures;
    showLatestProblem();
}

void rebuildMode(int slot)
{
    const int mode = modeOfSlot(slot);
    const ShaderSources& sources = modeSources[mode];
    bool* changed = changedFiles[mode];
    if (changed[0] && changed[1])
        std::printf("\nShader files changed: '%s', '%s'", sources.vertex, sources.fragment);
    else
        std::printf("\nShader file changed: '%s'", changed[0] ? sources.vertex : sources.fragment);
    changed[0] = changed[1] = false;
    settle(slot, rebuildProgram(shaderPrograms[mode], sources.vertex, sources.fragment,
                                problems[slot]));
}

void reloadImage(int slot)
{
    if (slot < firstFaceSlot) {
        Texture& texture = textures[slot - firstTextureSlot];
        const int before = texture.id;
        settle(slot, reloadTexture(texture, texturePaths[slot - firstTextureSlot], problems[slot]));
        // An image missing at start-up has just got its texture: put it on its unit.
        if (texture.id != before)
            bindTextureUnits();
        return;
    }
    const int face = slot - firstFaceSlot;
    settle(slot, reloadCubeFace(cubeMapTexture, face, cubeFacePaths[face], problems[slot]));
}

}  // namespace

bool startWatching()
{
    if (!openDirWatch(dirWatch)) {
        std::printf("\nWatching is not available: inotify refused");
        std::fflush(stdout);
        return false;
    }
    for (const char* dir : watchedDirs)
        if (watchDir(dirWatch, dir) < 0)
            std::printf("\nWatching: there is no folder '%s/' here, so it is not watched", dir);
    std::fflush(stdout);
    return dirWatch.dirCount > 0;
}

void pollWatch()
{
    readDirEvents(dirWatch, onDirEvent);
    if (quietTime.pending == 0)
        return;
    const unsigned settled = takeSettled(quietTime, monotonicMs());
    if (settled == 0)
        return;
    for (int slot = 0; slot < slotCount; ++slot) {
        if ((settled & (1u << slot)) == 0)
            continue;
        if (slot < firstTextureSlot)
            rebuildMode(slot);
        else
            reloadImage(slot);
    }
    // The console is often a pipe: show each reload as it happens.
    std::fflush(stdout);
}

void drawWatchStatus()
{
    if (shownSlot < 0)
        return;
    beginOverlay();
    drawText(30.0f, 65.0f, overlayFont, problems[shownSlot]);
    endOverlay();
}
