#!/usr/bin/python3
"""Writes an iOS backup folder the way a phone leaves it, plain or encrypted, from the published steps.

usage: make_backup.py <folder> [--password PW] [--sha256-rounds N] [--sha1-rounds N] [--size-offset N]
                      [--file DOMAIN PATH SOURCE]... [--folder DOMAIN PATH]...

Info.plist and Manifest.plist are written with plistlib, Manifest.db with sqlite3, each Files row's `file`
as an NSKeyedArchiver MBFile record. With a password: a backup keybag (PBKDF2-SHA256 then PBKDF2-SHA1 over
the password, class keys wrapped by RFC 3394), Manifest.db under ManifestKey (class 4) and every file under
a key of its own (class 3), AES-256-CBC with a zero IV and PKCS#7 padding. --size-offset records every file's
Size that much off its real length.
"""
import argparse
import datetime
import hashlib
import os
import plistlib
import sqlite3
import struct

from cryptography.hazmat.primitives import padding
from cryptography.hazmat.primitives.ciphers import Cipher, algorithms, modes
from cryptography.hazmat.primitives.keywrap import aes_key_wrap


def tlv(tag, value):
    if isinstance(value, int):
        value = struct.pack(">I", value)
    return tag.encode() + struct.pack(">I", len(value)) + value


def encrypt(key, data):
    padder = padding.PKCS7(128).padder()
    encryptor = Cipher(algorithms.AES(key), modes.CBC(b"\0" * 16)).encryptor()
    return encryptor.update(padder.update(data) + padder.finalize()) + encryptor.finalize()


class KeyBag:
    def __init__(self, password, sha256_rounds, sha1_rounds):
        salt, dpsl = os.urandom(20), os.urandom(20)
        first = hashlib.pbkdf2_hmac("sha256", password.encode(), dpsl, sha256_rounds, 32)
        key = hashlib.pbkdf2_hmac("sha1", first, salt, sha1_rounds, 32)
        self.blob = b"".join([tlv("VERS", 3), tlv("TYPE", 1), tlv("UUID", os.urandom(16)),
                              tlv("HMCK", os.urandom(40)), tlv("WRAP", 2), tlv("SALT", salt),
                              tlv("ITER", sha1_rounds), tlv("DPWT", 1), tlv("DPIC", sha256_rounds),
                              tlv("DPSL", dpsl)])
        self.classes = {}
        for protection_class in range(1, 12):
            class_key = os.urandom(32)
            self.classes[protection_class] = class_key
            self.blob += b"".join([tlv("UUID", os.urandom(16)), tlv("CLAS", protection_class), tlv("WRAP", 2),
                                   tlv("KTYP", 0), tlv("WPKY", aes_key_wrap(key, class_key))])

    def wrap(self, protection_class, key):
        return struct.pack("<I", protection_class) + aes_key_wrap(self.classes[protection_class], key)


def record(path, size, mode, wrapped_key):
    mbfile = {"$class": plistlib.UID(3), "RelativePath": plistlib.UID(2), "Size": size, "Mode": mode,
              "LastModified": 1700000000, "LastStatusChange": 1700000000, "Birth": 1700000000,
              "UserID": 501, "GroupID": 501, "InodeNumber": 7, "Flags": 0,
              "ProtectionClass": 3 if wrapped_key else 0}
    objects = ["$null", mbfile, path, {"$classname": "MBFile", "$classes": ["MBFile", "NSObject"]}]
    if wrapped_key:
        mbfile["EncryptionKey"] = plistlib.UID(4)
        objects += [{"$class": plistlib.UID(5), "NS.data": wrapped_key},
                    {"$classname": "NSMutableData", "$classes": ["NSMutableData", "NSData", "NSObject"]}]
    return plistlib.dumps({"$version": 100000, "$archiver": "NSKeyedArchiver", "$top": {"root": plistlib.UID(1)},
                           "$objects": objects}, fmt=plistlib.FMT_BINARY)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("folder")
    parser.add_argument("--password", default="")
    parser.add_argument("--sha256-rounds", type=int, default=10000)
    parser.add_argument("--sha1-rounds", type=int, default=100)
    parser.add_argument("--size-offset", type=int, default=0)
    parser.add_argument("--file", nargs=3, action="append", default=[])
    parser.add_argument("--folder", nargs=2, action="append", default=[], dest="folders")
    args = parser.parse_args()
    os.makedirs(args.folder, exist_ok=True)
    date = datetime.datetime(2024, 3, 1, 12, 30, 0)
    plistlib.dump({"Device Name": "Anna's iPhone", "Display Name": "Anna's iPhone", "Product Type": "iPhone15,2",
                   "Product Version": "17.1", "Last Backup Date": date, "Unique Identifier": "00008110-TEST"},
                  open(os.path.join(args.folder, "Info.plist"), "wb"))
    keybag = KeyBag(args.password, args.sha256_rounds, args.sha1_rounds) if args.password else None
    manifest = {"IsEncrypted": keybag is not None, "Version": "10.0", "Date": date,
                "Lockdown": {"DeviceName": "Anna's iPhone", "ProductType": "iPhone15,2", "ProductVersion": "17.1"}}
    manifest_key = os.urandom(32)
    if keybag:
        manifest.update(BackupKeyBag=keybag.blob, ManifestKey=keybag.wrap(4, manifest_key))
    plistlib.dump(manifest, open(os.path.join(args.folder, "Manifest.plist"), "wb"), fmt=plistlib.FMT_BINARY)

    database = os.path.join(args.folder, "Manifest.db")
    db = sqlite3.connect(database)
    db.execute("CREATE TABLE Files (fileID TEXT PRIMARY KEY, domain TEXT, relativePath TEXT, flags INTEGER, "
               "file BLOB)")
    db.execute("CREATE TABLE Properties (key TEXT PRIMARY KEY, value BLOB)")
    for domain, path in args.folders:
        file_id = hashlib.sha1((domain + "-" + path).encode()).hexdigest()
        db.execute("INSERT INTO Files VALUES (?, ?, ?, 2, ?)", (file_id, domain, path, record(path, 0, 0o40755, None)))
    for domain, path, source in args.file:
        file_id = hashlib.sha1((domain + "-" + path).encode()).hexdigest()
        data = open(source, "rb").read()
        file_key = os.urandom(32)
        wrapped = keybag.wrap(3, file_key) if keybag else None
        os.makedirs(os.path.join(args.folder, file_id[:2]), exist_ok=True)
        open(os.path.join(args.folder, file_id[:2], file_id), "wb").write(encrypt(file_key, data) if keybag else data)
        db.execute("INSERT INTO Files VALUES (?, ?, ?, 1, ?)",
                   (file_id, domain, path, record(path, len(data) + args.size_offset, 0o100644, wrapped)))
    db.commit()
    db.close()
    if keybag:
        plain = open(database, "rb").read()
        open(database, "wb").write(encrypt(manifest_key, plain))


if __name__ == "__main__":
    main()
