INSERT INTO books VALUES (1, 'Title', 'Author', 1, 'Books/a.epub', 10, 'k1');
INSERT INTO photos VALUES (1, 'u1', 1, 0, 2, 2, 10, 'IMG_0001.JPG', '/DCIM/100APPLE/IMG_0001.JPG');
INSERT INTO album_photos VALUES (1, 1, 0);
INSERT INTO apps VALUES ('com.example.a', 'A', '1', '1.0', '9.0', 'A', 'A.app', NULL, 1);
INSERT INTO item VALUES (1, 'Song', 'Artist', 'Album', 'Pop', 'Music/a.mp3', 'mp3', 1, 100, 1000);
INSERT INTO container VALUES (1, 'Mix');
INSERT INTO container_items VALUES (1, 1, 0);
