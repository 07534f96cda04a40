INSERT INTO conversations VALUES (1, '+1 555 0100', NULL);
INSERT INTO messages VALUES (1, 1, 1, '2024-01-02 03:04:05', 'hello'), (2, 1, 0, 'x', X'00ff');
