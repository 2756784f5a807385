#!/usr/bin/python3
"""A slow memory card for the tests: a FUSE passthrough onto a backing folder whose
writes go at a fixed rate, whose flush (fsync) and entry changes (create, unlink)
take a fixed time each.

    slow_card.py BACKING MOUNTPOINT [--write-rate BYTES_PER_S] [--flush-seconds S]
                 [--entry-seconds S]

Returns once the card is mounted (the daemon goes on in the background); unmount
with `fusermount -u MOUNTPOINT`.
"""
import argparse
import os
import threading
import time

try:
    from fusepy import FUSE, Operations  # Debian's python3-fusepy
except ImportError:
    from fuse import FUSE, Operations


class SlowCard(Operations):
    def __init__(self, backing, write_rate, flush_seconds, entry_seconds):
        self.backing = backing
        self.write_rate = write_rate
        self.flush_seconds = flush_seconds
        self.entry_seconds = entry_seconds
        # One medium: writes queue behind each other as on a real card.
        self.medium = threading.Lock()

    def _path(self, path):
        return os.path.join(self.backing, path.lstrip('/'))

    def _busy(self, seconds):
        if seconds > 0:
            with self.medium:
                time.sleep(seconds)

    def getattr(self, path, fh=None):
        st = os.lstat(self._path(path))
        return {key: getattr(st, key) for key in (
            'st_mode', 'st_nlink', 'st_uid', 'st_gid', 'st_size',
            'st_atime', 'st_mtime', 'st_ctime')}

    def readdir(self, path, fh):
        return ['.', '..'] + os.listdir(self._path(path))

    def statfs(self, path):
        st = os.statvfs(self._path(path))
        return {key: getattr(st, key) for key in (
            'f_bsize', 'f_frsize', 'f_blocks', 'f_bfree', 'f_bavail',
            'f_files', 'f_ffree', 'f_favail', 'f_flag', 'f_namemax')}

    def unlink(self, path):
        self._busy(self.entry_seconds)
        os.unlink(self._path(path))

    def create(self, path, mode, fi=None):
        self._busy(self.entry_seconds)
        return os.open(self._path(path), os.O_WRONLY | os.O_CREAT | os.O_EXCL, mode)

    def open(self, path, flags):
        return os.open(self._path(path), flags & ~os.O_APPEND)

    def read(self, path, size, offset, fh):
        return os.pread(fh, size, offset)

    def write(self, path, data, offset, fh):
        with self.medium:
            if self.write_rate > 0:
                time.sleep(len(data) / self.write_rate)
            return os.pwrite(fh, data, offset)

    def fsync(self, path, datasync, fh):
        self._busy(self.flush_seconds)
        os.fsync(fh)

    def release(self, path, fh):
        os.close(fh)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument('backing')
    parser.add_argument('mountpoint')
    parser.add_argument('--write-rate', type=float, default=0)
    parser.add_argument('--flush-seconds', type=float, default=0)
    parser.add_argument('--entry-seconds', type=float, default=0)
    options = parser.parse_args()
    card = SlowCard(os.path.abspath(options.backing), options.write_rate,
                    options.flush_seconds, options.entry_seconds)
    FUSE(card, options.mountpoint, foreground=False, nothreads=False,
         fsname='slowcard', big_writes=True, max_write=131072)


if __name__ == '__main__':
    main()
