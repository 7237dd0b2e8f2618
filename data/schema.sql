-- Parvela database: members, one competition per month, and every participant's result.
-- Marks the file as Parvela's so that the program refuses any other database.
PRAGMA application_id = 1347573313;
PRAGMA user_version = 1;

CREATE TABLE Member (
  ID INTEGER PRIMARY KEY,
  NAME TEXT,
  HURIKANA TEXT,
  BIRTHDAY TEXT,
  HC REAL,
  F_HC REAL,
  E_HC REAL
);

CREATE TABLE Course (
  ID INTEGER PRIMARY KEY,
  CYEAR INTEGER,
  CMONTH INTEGER,
  PLAYDATE TEXT,
  COURSENAME TEXT
);

-- No foreign key to Member: a deleted member's results stay in the month sheets' history.
CREATE TABLE Score (
  ID INTEGER PRIMARY KEY,
  COURSE_ID INTEGER,
  MEMBER_ID INTEGER,
  MEMBER_NAME TEXT,
  HC REAL,
  OB REAL,
  OUT_VAL INTEGER,
  IN_VAL INTEGER,
  GROSS_VAL INTEGER,
  NET_VAL REAL,
  NEW_HC REAL,
  RANK INTEGER
);

CREATE INDEX Member_NAME ON Member (NAME);
CREATE INDEX Member_HURIKANA ON Member (HURIKANA);
CREATE INDEX Course_CYEAR_CMONTH ON Course (CYEAR, CMONTH);
CREATE INDEX Score_COURSE_ID ON Score (COURSE_ID);
CREATE INDEX Score_MEMBER_ID ON Score (MEMBER_ID);
