#!/usr/bin/python3
"""Reads a device backup folder the way other backup tools do and prints one JSON report.

usage: read_backup.py <backup folder> [--device <device folder>] [--password <password>]

The plists and Manifest.db are read with plistlib and sqlite3; an encrypted backup is opened with the
password (keybag salts and rounds, class keys and Manifest.db's key unwrapped by RFC 3394, every file
decrypted with its own key). With --device, each stored media, library or app file is compared with the
device's own file (databases go into a backup as snapshots and are skipped). Exits 1 with the reason on stderr when
the folder cannot be read at all; everything else is a field of the report for the test to judge:

  name, udid, date                  Info.plist's device name, identifier and last backup date (ISO 8601,
                                    null unless it is a plist date)
  serial, snapshot, encrypted       Manifest.plist's Lockdown serial number, Status.plist's state (null
                                    without one), Manifest.plist's IsEncrypted
  wrong_password                    an encrypted backup the password does not open (nothing else follows)
  rows, stored, domains             Files rows, rows of stored files (flags 1), the domains named
  bad_ids, missing, bad_sizes       rows whose fileID is not sha1(domain-path), stored files not there,
                                    files whose length differs from the size their record gives
  stray, readable                   folder rows (flags 2) with a stored file; encrypted files whose plain
                                    bytes can be read in the stored file
  files                             "domain/path" of every stored file -> sha1 of its (plain) bytes
  compared, differs                 with --device: files compared, paths whose bytes differ
"""
import argparse
import hashlib
import json
import os
import plistlib
import sqlite3
import struct
import sys
import tempfile


def plist(folder, name):
    path = os.path.join(folder, name)
    return plistlib.load(open(path, "rb")) if os.path.exists(path) else None


class Keys:
    """The class keys of an encrypted backup's keybag, opened with the password."""

    def __init__(self, manifest, password):
        from cryptography.hazmat.primitives.keywrap import aes_key_unwrap
        self.unwrap_key = aes_key_unwrap
        blob, header, classes, at = manifest["BackupKeyBag"], {}, [], 0
        while at < len(blob):
            tag, size = blob[at:at + 4].decode(), struct.unpack(">I", blob[at + 4:at + 8])[0]
            value = blob[at + 8:at + 8 + size]
            at += 8 + size
            if tag == "UUID" and "UUID" in header:
                classes.append({})
            (classes[-1] if classes else header)[tag] = struct.unpack(">I", value)[0] if size == 4 else value
        first = hashlib.pbkdf2_hmac("sha256", password.encode(), header["DPSL"], header["DPIC"], 32)
        key = hashlib.pbkdf2_hmac("sha1", first, header["SALT"], header["ITER"], 32)
        self.classes = {c["CLAS"]: aes_key_unwrap(key, c["WPKY"]) for c in classes if c["WRAP"] & 2}

    def decrypt(self, wrapped, data):
        from cryptography.hazmat.primitives.ciphers import Cipher, algorithms, modes
        key = self.unwrap_key(self.classes[struct.unpack("<I", wrapped[:4])[0]], wrapped[4:])
        plain = Cipher(algorithms.AES(key), modes.CBC(b"\0" * 16)).decryptor()
        plain = plain.update(data) + plain.finalize()
        return plain[:-plain[-1]]


def record_of(blob):
    """The MBFile record of a Files row's keyed archive, or None for a row without one."""
    if not blob:
        return None, None
    archive = plistlib.loads(blob)
    record = archive["$objects"][archive["$top"]["root"].data]
    key = record.get("EncryptionKey")
    wrapped = archive["$objects"][key.data]["NS.data"] if key is not None else None
    return record, wrapped


def device_file(device, domain, path):
    if path.endswith((".sqlitedb", ".sqlite", ".db", ".storedata", "-wal", "-shm")):
        return None
    if domain in ("MediaDomain", "CameraRollDomain", "HomeDomain") and path.startswith(("Media/", "Library/")):
        return os.path.join(device, path)
    if domain.startswith("AppDomain-"):
        return os.path.join(device, "Applications", domain[len("AppDomain-"):], path)
    return None


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("backup")
    parser.add_argument("--device")
    parser.add_argument("--password")
    args = parser.parse_args()
    backup = args.backup

    info, status, manifest = (plist(backup, n) for n in ("Info.plist", "Status.plist", "Manifest.plist"))
    if info is None or manifest is None:
        sys.exit("no Info.plist or Manifest.plist in " + backup)
    date = info.get("Last Backup Date")
    report = {"name": info.get("Device Name"), "udid": info.get("Unique Identifier"),
              "date": date.isoformat() if hasattr(date, "isoformat") else None,
              "serial": manifest.get("Lockdown", {}).get("SerialNumber"),
              "snapshot": status.get("SnapshotState") if status else None,
              "encrypted": bool(manifest.get("IsEncrypted")), "wrong_password": False}

    database = os.path.join(backup, "Manifest.db")
    keys = None
    if report["encrypted"]:
        from cryptography.hazmat.primitives.keywrap import InvalidUnwrap
        try:
            keys = Keys(manifest, args.password or "")
        except InvalidUnwrap:
            report["wrong_password"] = True
            print(json.dumps(report))
            return
        plain = tempfile.NamedTemporaryFile(suffix=".db")
        plain.write(keys.decrypt(manifest["ManifestKey"], open(database, "rb").read()))
        plain.flush()
        database = plain.name

    rows = sqlite3.connect(database).execute(
        "SELECT fileID, domain, relativePath, flags, file FROM Files").fetchall()
    report.update(rows=len(rows), stored=0, domains=sorted({r[1] for r in rows}), bad_ids=[], missing=[],
                  bad_sizes=[], stray=[], readable=[], files={}, compared=0, differs=[])
    for file_id, domain, path, flags, blob in rows:
        if file_id.lower() != hashlib.sha1((domain + "-" + path).encode()).hexdigest():
            report["bad_ids"].append(path)
        stored = os.path.join(backup, file_id[:2], file_id)
        if flags != 1:
            if os.path.exists(stored):
                report["stray"].append(path)
            continue
        report["stored"] += 1
        if not os.path.isfile(stored):
            report["missing"].append(path)
            continue
        data = open(stored, "rb").read()
        record, wrapped = record_of(blob)
        if keys:
            raw, data = data, keys.decrypt(wrapped, data)[:record["Size"]]
            # A byte or two of plain text turns up in any cipher text now and then.
            if len(data) >= 8 and data in raw:
                report["readable"].append(path)
        if record is not None and record.get("Size") != len(data):
            report["bad_sizes"].append(path)
        report["files"][domain + "/" + path] = hashlib.sha1(data).hexdigest()
        original = device_file(args.device, domain, path) if args.device else None
        if original:
            report["compared"] += 1
            if not os.path.isfile(original) or open(original, "rb").read() != data:
                report["differs"].append(path)
    print(json.dumps(report))


main()
